// The real window on QSerialPort against the projector simulator, driven by mouse clicks on its
// widgets: read-outs decoded, power phases, silence, late replies, replies in pieces, port switch.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "e2e/RealPanel.h"
#include "support/SimulatorProcess.h"

namespace zoma {
namespace {

using testing::RealPanel;
using testing::SimulatorProcess;
using testing::waitUntil;

// Guards against a hang only: every wait ends as soon as its condition holds.
constexpr int kHangGuardMs = 5000;

// What the operator reads off the panel: the RX line of the data monitor and the status line.
struct Lines {
    std::string rx;
    std::string status;
    bool operator==(const Lines& other) const { return rx == other.rx && status == other.status; }
};

void PrintTo(const Lines& lines, std::ostream* out) {
    *out << "{rx \"" << lines.rx << "\", status \"" << lines.status << "\"}";
}

// A panel as the operator uses it: loaded on the port that ZOMA_COM1 names, shown, active and
// enlarged with Ctrl+J so that the read-out buttons are within the mouse's reach.
class OperatedPanel {
  public:
    OperatedPanel() {
        panel.form.Form_Load();
        panel.window.show();
        QApplication::setActiveWindow(&panel.window);
        QWidget* focused = panel.window.control("Command17");
        focused->setFocus();
        QTest::keyClick(focused, Qt::Key_J, Qt::ControlModifier);
    }

    bool ready() const { return panel.port.isOpen() && panel.window.heightTwips() == 7000; }

    void click(std::string_view control) {
        QTest::mouseClick(panel.window.control(control), Qt::LeftButton);
    }

    Lines lines() const { return {panel.label(kRxLine), panel.label(kStatusLine)}; }

    // The monitor hold has ended: all three lines are empty, the reply window is over and the
    // receive buffer with it, so whatever shows next belongs to the next frame.
    bool linesClear() {
        return waitUntil(
            [&] {
                return panel.label(kTxLine).empty() && lines() == Lines{"", ""};
            },
            kHangGuardMs);
    }

    // Once the lines are clear, clicks a button and returns the lines as they stand when its
    // reply has come in whole (the RX line ends with CR), read in the same turn of the event
    // loop as that receipt.
    std::optional<Lines> ask(std::string_view control) {
        if (!linesClear()) return std::nullopt;
        click(control);
        std::optional<Lines> answered;
        waitUntil(
            [&] {
                const Lines now = lines();
                const std::string end = "CR ";
                if (now.rx.size() >= end.size() &&
                    now.rx.compare(now.rx.size() - end.size(), end.size(), end) == 0) {
                    answered = now;
                }
                return answered.has_value();
            },
            kHangGuardMs);
        return answered;
    }

    // Once the lines are clear, clicks an operation button and waits for its ACK.
    bool operate(std::string_view control) {
        if (!linesClear()) return false;
        click(control);
        return waitUntil([&] { return panel.label(kRxLine) == " ACK "; }, kHangGuardMs);
    }

    // Every distinct state of the RX and status lines from now until the RX line reads `last`.
    std::vector<Lines> watchUntilRx(const std::string& last) {
        std::vector<Lines> seen;
        waitUntil(
            [&] {
                const Lines now = lines();
                if (!now.rx.empty() && (seen.empty() || !(seen.back() == now))) {
                    seen.push_back(now);
                }
                return now.rx == last;
            },
            kHangGuardMs);
        return seen;
    }

    RealPanel panel;
};

class SimulatorTest : public ::testing::Test {
  protected:
    void TearDown() override {
        unsetenv("ZOMA_COM1");
        unsetenv("ZOMA_COM2");
    }

    static void useAsPort(const char* variable, const SimulatorProcess& simulator) {
        setenv(variable, simulator.device().c_str(), 1);
    }
};

// One read-out: how the simulator is set, what is clicked first, the query button, and the lines
// once the reply is in.
struct ReadOut {
    const char* name;
    std::vector<std::string> simulator;
    std::vector<const char*> before;
    const char* query;
    Lines expected;
};

void PrintTo(const ReadOut& row, std::ostream* out) {
    *out << row.name;
}

class ReadOutTest : public SimulatorTest, public ::testing::WithParamInterface<ReadOut> {};

TEST_P(ReadOutTest, ReplyIsShownAndDecodedIntoWords) {
    const ReadOut& row = GetParam();
    SimulatorProcess simulator(row.simulator);
    ASSERT_TRUE(simulator.ok());
    useAsPort("ZOMA_COM1", simulator);
    OperatedPanel operated;
    ASSERT_TRUE(operated.ready()) << operated.panel.warnings.join(" ").toStdString();

    for (const char* control : row.before) ASSERT_TRUE(operated.operate(control)) << control;
    const std::optional<Lines> answered = operated.ask(row.query);
    ASSERT_TRUE(answered.has_value()) << simulator.log();
    EXPECT_EQ(*answered, row.expected);
}

// A count-down phase far longer than any test, so the state asked for is the state answered.
const std::vector<std::string> kHeld = {"--phase-ms", "600000"};

std::vector<std::string> inState(const char* state) {
    std::vector<std::string> options = kHeld;
    options.insert(options.end(), {"--state", state});
    return options;
}

// clang-format off
const ReadOut kReadOuts[] = {
    // STATUS: every power state the projector reports.
    {"StandBy",                  {},                                     {}, "Command44", {" 8 0 CR ", " Stand by"}},
    {"CountDown",                inState("count-down"),                  {}, "Command44", {" 4 0 CR ", " Count down"}},
    {"On",                       inState("on"),                          {}, "Command44", {" 0 0 CR ", " Power ON"}},
    {"Cooling",                  inState("cooling"),                     {}, "Command44", {" 2 0 CR ", " Cooling down"}},
    {"PowerAbnormality",         inState("power-abnormality"),           {}, "Command44", {" 1 0 CR ", " Power abnormality"}},
    {"TemperatureAbnormality28", inState("temperature-abnormality"),     {}, "Command44", {" 2 8 CR ", " Temperature abnormality"}},
    {"TemperatureAbnormality08", inState("temperature-abnormality-08"),  {}, "Command44", {" 0 8 CR ", " Temperature abnormality"}},
    {"TemperatureAbnormality88", inState("temperature-abnormality-88"),  {}, "Command44", {" 8 8 CR ", " Temperature abnormality"}},
    {"KeyProhibited",            inState("key-prohibited"),              {}, "Command44", {" 0 2 CR ", " Key input prohibition"}},
    {"PowerManagementCooling",   inState("power-management-cooling"),    {}, "Command44", {" 2 4 CR ", " Power Management Cooling"}},
    {"PowerManagement",          inState("power-management"),            {}, "Command44", {" 0 4 CR ", " Power Management"}},
    // MODE: the input, also after the input buttons changed it.
    {"InputOne",                  {}, {},                       "Command45", {" 0 CR ", " Input 1"}},
    {"InputTwoAfterRgb",          {}, {"Command28"},            "Command45", {" 1 CR ", " Input 2"}},
    {"InputThreeAfterComponent",  {}, {"Command66"},            "Command45", {" 2 CR ", " Input 3"}},
    {"InputOneAgainAfterDigital", {}, {"Command4", "Command63"}, "Command45", {" 0 CR ", " Input 1"}},
    // L-TIME: four digits, each after a space.
    {"LampHours123",  {"--lamp-hours", "123"},  {}, "Command46", {" 0 1 2 3 CR ", " 0 1 2 3 Hour Use"}},
    {"LampHours0",    {"--lamp-hours", "0"},    {}, "Command46", {" 0 0 0 0 CR ", " 0 0 0 0 Hour Use"}},
    {"LampHours9999", {"--lamp-hours", "9999"}, {}, "Command46", {" 9 9 9 9 CR ", " 9 9 9 9 Hour Use"}},
    {"LampHours4056", {"--lamp-hours", "4056"}, {}, "Command46", {" 4 0 5 6 CR ", " 4 0 5 6 Hour Use"}},
    // SETTING: the four orientations.
    {"Normal",    {"--orientation", "normal"},     {}, "Command47", {" 1 1 CR ", " Normally"}},
    {"TopBottom", {"--orientation", "top-bottom"}, {}, "Command47", {" 1 0 CR ", " Top/Bottom reversal"}},
    {"LeftRight", {"--orientation", "left-right"}, {}, "Command47", {" 0 1 CR ", " Left/Right reversal"}},
    {"Both",      {"--orientation", "both"},       {}, "Command47", {" 0 0 CR ", " Top/Bottom , Left/Right reversal"}},
    // Temp: three readings such as "+24.5 +25.0 +23.5"; the second one loses its sign.
    {"TemperaturesCold", {}, {}, "Command38",
     {" + 2 4 . 5   + 2 5 . 0   + 2 3 . 5 CR ", "  S1= + 2 4 . 5 C  ,   S2=  2 5 . 0 C , S3= + 2 3 . 5 C"}},
    {"TemperaturesHot", inState("on"), {}, "Command38",
     {" + 3 8 . 5   + 4 5 . 0   + 4 1 . 0 CR ", "  S1= + 3 8 . 5 C  ,   S2=  4 5 . 0 C , S3= + 4 1 . 0 C"}},
    {"TemperaturesOverheated", inState("temperature-abnormality"), {}, "Command38",
     {" + 6 8 . 5   + 7 2 . 0   + 6 6 . 0 CR ", "  S1= + 6 8 . 5 C  ,   S2=  7 2 . 0 C , S3= + 6 6 . 0 C"}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Queries, ReadOutTest, ::testing::ValuesIn(kReadOuts),
                         [](const ::testing::TestParamInfo<ReadOut>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(SimulatorTest, PowerOnCountsDownThenReportsOn) {
    // Each query waits for the lines of the one before to clear, a second after it was sent, so
    // the count down must outlast a few of them to be seen.
    SimulatorProcess simulator({"--phase-ms", "3000"});
    ASSERT_TRUE(simulator.ok());
    useAsPort("ZOMA_COM1", simulator);
    OperatedPanel operated;
    ASSERT_TRUE(operated.ready());

    std::optional<Lines> answered = operated.ask("Command44");
    ASSERT_TRUE(answered.has_value());
    EXPECT_EQ(answered->status, " Stand by");

    ASSERT_TRUE(operated.operate("Command17"));
    std::vector<std::string> states;
    for (int asked = 0; asked < 40 && (states.empty() || states.back() != " Power ON"); ++asked) {
        answered = operated.ask("Command44");
        ASSERT_TRUE(answered.has_value()) << simulator.log();
        if (states.empty() || states.back() != answered->status) states.push_back(answered->status);
    }
    EXPECT_EQ(states, (std::vector<std::string>{" Count down", " Power ON"})) << simulator.log();
    EXPECT_EQ(simulator.framesReceived("C00"), 1);
}

// A frame the projector does not answer in time.
struct Unanswered {
    const char* name;
    std::vector<std::string> simulator;
    const char* control;
    const char* code;
};

void PrintTo(const Unanswered& row, std::ostream* out) {
    *out << row.name;
}

class UnansweredTest : public SimulatorTest, public ::testing::WithParamInterface<Unanswered> {};

TEST_P(UnansweredTest, IsMarkedAndTheLinesClear) {
    const Unanswered& row = GetParam();
    SimulatorProcess simulator(row.simulator);
    ASSERT_TRUE(simulator.ok());
    useAsPort("ZOMA_COM1", simulator);
    OperatedPanel operated;
    ASSERT_TRUE(operated.ready());

    operated.click(row.control);
    ASSERT_TRUE(waitUntil([&] { return operated.lines().rx == " X X X X"; }, kHangGuardMs));
    EXPECT_EQ(operated.lines().status, "");
    ASSERT_TRUE(waitUntil([&] { return operated.panel.label(kTxLine).empty(); }, kHangGuardMs));
    EXPECT_EQ(operated.lines(), (Lines{"", ""}));
    // The frame did go out: the silence is the projector's.
    EXPECT_EQ(simulator.framesReceived(row.code), 1) << simulator.log();
}

const Unanswered kUnanswered[] = {
    {"SilentStatus", {"--silent"}, "Command44", "CR0"},
    {"SilentTemperatures", {"--silent"}, "Command38", "CR6"},
    {"SilentPowerOn", {"--silent"}, "Command17", "C00"},
};

INSTANTIATE_TEST_SUITE_P(Silence, UnansweredTest, ::testing::ValuesIn(kUnanswered),
                         [](const ::testing::TestParamInfo<Unanswered>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(SimulatorTest, ReplyAfterTheReplyWindowIsStillDecodedUntilTheLinesClear) {
    // Well after the 500 ms reply window, well before the 1000 ms monitor hold.
    SimulatorProcess simulator({"--delay", "750"});
    ASSERT_TRUE(simulator.ok());
    useAsPort("ZOMA_COM1", simulator);
    OperatedPanel operated;
    ASSERT_TRUE(operated.ready());

    operated.click("Command44");
    EXPECT_EQ(operated.watchUntilRx(" 8 0 CR "),
              (std::vector<Lines>{{" X X X X", ""}, {" 8 0 CR ", " Stand by"}}));
    ASSERT_TRUE(waitUntil([&] { return operated.lines() == Lines{"", ""}; }, kHangGuardMs));
}

// A reply sent in pieces: every state of the RX and status lines as it grows.
struct Pieces {
    const char* name;
    std::vector<std::string> simulator;
    const char* query;
    std::vector<Lines> expected;
};

void PrintTo(const Pieces& row, std::ostream* out) {
    *out << row.name;
}

class PiecesTest : public SimulatorTest, public ::testing::WithParamInterface<Pieces> {};

TEST_P(PiecesTest, ReplyIsRenderedAndDecodedAsItGrows) {
    const Pieces& row = GetParam();
    SimulatorProcess simulator(row.simulator);
    ASSERT_TRUE(simulator.ok());
    useAsPort("ZOMA_COM1", simulator);
    OperatedPanel operated;
    ASSERT_TRUE(operated.ready());

    operated.click(row.query);
    const std::vector<Lines> seen = operated.watchUntilRx(row.expected.back().rx);
    // A machine busy enough to read two pieces at once merges their states, so the states seen
    // must be the expected ones in order, ending with the whole reply, with at least one state
    // of a reply still growing among them.
    std::size_t next = 0;
    for (const Lines& state : seen) {
        while (next < row.expected.size() && !(row.expected[next] == state)) ++next;
        ASSERT_LT(next, row.expected.size()) << ::testing::PrintToString(seen) << simulator.log();
        ++next;
    }
    EXPECT_EQ(next, row.expected.size()) << ::testing::PrintToString(seen);
    EXPECT_GE(seen.size(), 2u) << ::testing::PrintToString(seen);
}

// Pieces far enough apart that the panel normally handles each on its own, all inside the reply
// window.
const Pieces kPieces[] = {
    {"StatusByteByByte",
     {"--split", "1", "--gap", "150"},
     "Command44",
     {{" 8 ", ""}, {" 8 0 ", " Stand by"}, {" 8 0 CR ", " Stand by"}}},
    {"LampHoursTwoDigitsAtATime",
     {"--split", "2", "--gap", "150", "--lamp-hours", "123"},
     "Command46",
     {{" 0 1 ", " 0 1  Hour Use"},
      {" 0 1 2 3 ", " 0 1 2 3 Hour Use"},
      {" 0 1 2 3 CR ", " 0 1 2 3 Hour Use"}}},
    {"TemperaturesOneReadingAtATime",
     {"--split", "6", "--gap", "150"},
     "Command38",
     {{" + 2 4 . 5   ", "  S1= + 2 4 . 5 C  ,   S2=  C , S3= C"},
      {" + 2 4 . 5   + 2 5 . 0   ", "  S1= + 2 4 . 5 C  ,   S2=  2 5 . 0 C , S3=  C"},
      {" + 2 4 . 5   + 2 5 . 0   + 2 3 . 5 CR ",
       "  S1= + 2 4 . 5 C  ,   S2=  2 5 . 0 C , S3= + 2 3 . 5 C"}}},
};

INSTANTIATE_TEST_SUITE_P(Split, PiecesTest, ::testing::ValuesIn(kPieces),
                         [](const ::testing::TestParamInfo<Pieces>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(SimulatorTest, ChosenPortCarriesTheFramesToItsProjector) {
    SimulatorProcess first;
    SimulatorProcess second(inState("on"));
    ASSERT_TRUE(first.ok() && second.ok());
    useAsPort("ZOMA_COM1", first);
    useAsPort("ZOMA_COM2", second);
    OperatedPanel operated;
    ASSERT_TRUE(operated.ready());

    const auto choose = [&](std::string_view option) {
        operated.click(kComButton);
        EXPECT_TRUE(operated.panel.window.isVisible(kPortPanel));
        operated.click(option);
        // An applied choice hides the port panel.
        EXPECT_FALSE(operated.panel.window.isVisible(kPortPanel)) << option;
        EXPECT_TRUE(operated.panel.window.isMarked(option)) << option;
    };
    const auto status = [&]() -> std::string {
        const std::optional<Lines> answered = operated.ask("Command44");
        return answered ? answered->status : "(no reply)";
    };

    EXPECT_EQ(status(), " Stand by");
    choose(kOptionCom2);
    EXPECT_EQ(status(), " Power ON");
    choose(kOptionCom1);
    EXPECT_EQ(status(), " Stand by");

    EXPECT_EQ(first.framesReceived("CR0"), 2) << first.log();
    EXPECT_EQ(second.framesReceived("CR0"), 1) << second.log();
    EXPECT_TRUE(operated.panel.warnings.isEmpty())
        << operated.panel.warnings.join(" ").toStdString();
}

}  // namespace
}  // namespace zoma
