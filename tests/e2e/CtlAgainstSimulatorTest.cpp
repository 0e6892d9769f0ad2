// The built zoma-ctl in its own process against the projector simulator on a pseudo-terminal or
// a loopback TCP port:
// the frames it sends, the words it prints, its exit status, and the line as it leaves it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/ChildProcess.h"
#include "support/LoopbackPorts.h"
#include "support/PseudoTerminal.h"
#include "support/SimulatorProcess.h"

namespace zoma {
namespace {

using testing::ChildProcess;
using testing::PseudoTerminal;
using testing::RefusingTcpPort;
using testing::SimulatorProcess;
using Environment = std::vector<std::pair<std::string, std::string>>;

// Only guards against a hang: a run ends as soon as its replies are in.
constexpr int kHangGuardMs = 20000;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

// zoma-ctl with its standard error in a file of its own, removed again when done.
class CtlProcess {
  public:
    explicit CtlProcess(const std::vector<std::string>& arguments, const Environment& env = {}) {
        char path[] = "/tmp/zoma-ctl-err-XXXXXX";
        const int fd = ::mkstemp(path);
        if (fd >= 0) ::close(fd);
        errPath_ = path;
        ChildProcess::Launch launch;
        launch.argv = {ZOMA_CTL_PATH};
        launch.argv.insert(launch.argv.end(), arguments.begin(), arguments.end());
        launch.environment = env;
        launch.stderrPath = errPath_;
        process_ = std::make_unique<ChildProcess>(launch);
    }
    ~CtlProcess() { ::unlink(errPath_.c_str()); }

    void signal(int number) { process_->signal(number); }
    int waitStatus() const { return process_->waitStatus(); }

    Outcome finish() {
        Outcome outcome;
        outcome.out = process_->readToEnd(kHangGuardMs);
        outcome.status = process_->finish(kHangGuardMs);
        std::ifstream file(errPath_);
        std::ostringstream text;
        text << file.rdbuf();
        outcome.err = text.str();
        return outcome;
    }

  private:
    std::string errPath_;
    std::unique_ptr<ChildProcess> process_;
};

Outcome runCtl(const std::vector<std::string>& arguments, const Environment& env = {}) {
    return CtlProcess(arguments, env).finish();
}

// A folder of the test's own, removed with everything in it.
class TempFolder {
  public:
    TempFolder() {
        char name[] = "/tmp/zoma-ctl-test-XXXXXX";
        if (::mkdtemp(name) != nullptr) path = name;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string path;
};

// The line as zoma-ctl must leave it: the speed and every flag word as before the run.
void expectLineAsBefore(const PseudoTerminal& line, const termios& before) {
    termios after{};
    ASSERT_EQ(tcgetattr(line.masterFd(), &after), 0);
    EXPECT_EQ(cfgetospeed(&after), cfgetospeed(&before));
    EXPECT_EQ(after.c_iflag, before.c_iflag);
    EXPECT_EQ(after.c_oflag, before.c_oflag);
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
}

// A terminal at 9600 baud in its default (cooked) mode, as a line nobody has configured.
termios untouchedLine(const PseudoTerminal& line) {
    termios settings{};
    tcgetattr(line.masterFd(), &settings);
    cfsetispeed(&settings, B9600);
    cfsetospeed(&settings, B9600);
    tcsetattr(line.masterFd(), TCSANOW, &settings);
    tcgetattr(line.masterFd(), &settings);
    return settings;
}

TEST(CtlAgainstSimulator, CommandsSendTheirFramesAndPrintWhatCameBack) {
    struct Case {
        std::vector<std::string> simulator;
        std::vector<std::string> arguments;
        const char* out;
        int status;
        // Frames the simulator must have received: code and count.
        std::vector<std::pair<const char*, int>> frames;
    };
    const Case cases[] = {
        {{},
         {"power-on", "input2-video", "input3-video", "menu-on", "zoom", "vol+", "up", "c01",
          "C1E"},
         "power-on: ok\ninput2-video: ok\ninput3-video: ok\nmenu-on: ok\nzoom: ok\nvol+: ok\n"
         "up: ok\nc01: ok\nC1E: ok\n",
         0,
         {{"C00", 1},
          {"C07", 1},
          {"C08", 1},
          {"C1C", 1},
          {"C80", 1},
          {"C09", 1},
          {"C3C", 1},
          {"C01", 1},
          {"C1E", 1}}},
        {{}, {"--repeat", "3", "zoom-"}, "ok\n", 0, {{"C46", 3}}},
        {{}, {"status"}, "Stand by\n", 0, {{"CR0", 1}}},
        {{"--state", "cooling"}, {"status"}, "Cooling down\n", 0, {}},
        {{"--state", "temperature-abnormality"}, {"status"}, "Temperature abnormality\n", 0, {}},
        {{"--lamp-hours", "1234"}, {"lamp-time"}, "1 2 3 4 Hour Use\n", 0, {{"CR3", 1}}},
        {{"--orientation", "both"}, {"CR4"}, "Top/Bottom , Left/Right reversal\n", 0, {}},
        {{}, {"input3-s-video", "mode"}, "input3-s-video: ok\nmode: Input 3\n", 0, {}},
        {{"--state", "on", "--lamp-hours", "42", "--orientation", "left-right"},
         {"read-all"},
         "status: Power ON\nmode: Input 1\nlamp-time: 0 0 4 2 Hour Use\n"
         "setting: Left/Right reversal\ntemp: S1= + 3 8 . 5 C  ,   S2=  4 5 . 0 C , S3= + 4 1 . 0 "
         "C\n",
         0,
         {{"CR0", 1}, {"CR1", 1}, {"CR3", 1}, {"CR4", 1}, {"CR6", 1}}},
        {{"--split", "1", "--gap", "20"},
         {"status", "lamp-time"},
         "status: Stand by\nlamp-time: 0 1 2 3 Hour Use\n",
         0,
         {}},
        // A serial device server: the same projector on a loopback TCP port, replies in pieces.
        {{"--tcp", "0", "--split", "1", "--gap", "20"},
         {"status", "power-on", "lamp-time"},
         "status: Stand by\npower-on: ok\nlamp-time: 0 1 2 3 Hour Use\n",
         0,
         {{"CR0", 1}, {"C00", 1}, {"CR3", 1}}},
        // --value: a read-out's bare value, an operation's ok; one line per command.
        {{"--lamp-hours", "123"}, {"--value", "lamp-time"}, "123\n", 0, {{"CR3", 1}}},
        {{"--state", "on", "--lamp-hours", "42", "--orientation", "left-right"},
         {"--value", "power-off", "read-all"},
         "power-off: ok\nstatus: cooling\nmode: 1\nlamp-time: 42\nsetting: left-right\n"
         "temp: 31.0 33.5 30.5\n",
         0,
         {}},
        {{"--state", "temperature-abnormality"},
         {"--value", "status"},
         "temperature-abnormality\n",
         0,
         {}},
        {{"--silent"}, {"--value", "temp"}, "no reply\n", 1, {}},
        {{"--silent"}, {"power-off"}, "no reply\n", 1, {{"C02", 1}}},
        {{"--silent"}, {"temp"}, "no reply\n", 1, {}},
        {{}, {"C7F", "status"}, "C7F: refused\nstatus: Stand by\n", 1, {{"C7F", 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments[0] + " on a simulator with " + std::to_string(c.simulator.size()) +
                     " options");
        SimulatorProcess simulator(c.simulator);
        ASSERT_TRUE(simulator.ok());
        std::vector<std::string> arguments = {"--port", simulator.device()};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const Outcome outcome = runCtl(arguments);
        EXPECT_EQ(outcome.out, c.out) << outcome.err;
        EXPECT_EQ(outcome.status, c.status);
        for (const auto& [code, count] : c.frames) {
            EXPECT_EQ(simulator.framesReceived(code), count) << code;
        }
    }
}

TEST(CtlAgainstSimulator, Com1IsTheDeviceTheEnvironmentNamesAndNothingElseIsSent) {
    SimulatorProcess simulator;
    ASSERT_TRUE(simulator.ok());
    const Outcome outcome = runCtl({"power-off"}, {{"ZOMA_COM1", simulator.device()}});
    EXPECT_EQ(outcome.out, "ok\n");
    EXPECT_EQ(outcome.status, 0);
    // One frame, and no other frame at start or exit.
    const std::string log = simulator.log();
    std::size_t frames = 0;
    for (std::size_t at = log.find("rx "); at != std::string::npos; at = log.find("rx ", at + 1)) {
        ++frames;
    }
    EXPECT_EQ(frames, 1u) << log;
    EXPECT_EQ(simulator.framesReceived("C02"), 1);
}

TEST(CtlAgainstSimulator, JsonGivesOneValidObjectPerCommand) {
    SimulatorProcess simulator;
    ASSERT_TRUE(simulator.ok());
    const Outcome outcome = runCtl({"--port", simulator.device(), "--json", "power-on", "status",
                                    "lamp-time", "temp", "setting", "mode", "C7F"});
    EXPECT_EQ(outcome.status, 1);
    // The object zoma-ctl writes; its strings hold printable ASCII and JSON's escapes only.
    const std::string string = R"re("((?:[ !#-\[\]-~]|\\["\\/bfnrt]|\\u[0-9a-f]{4})*)")re";
    // A value: null, a number, a token, or the three temperatures.
    const std::string value =
        R"re((null|-?[0-9]+(?:\.[0-9]+)?|"[a-z-]+"|\{"s1":[-0-9.]+,"s2":[-0-9.]+,"s3":[-0-9.]+\}))re";
    const std::regex object("\\{\"command\":" + string + ",\"code\":" + string +
                            ",\"reply\":" + string + ",\"status\":" + string +
                            ",\"value\":" + value + ",\"ok\":(true|false)\\}");
    const std::vector<std::vector<std::string>> expected = {
        {"power-on", "C00", "\\u0006", "ok", "null", "true"},
        {"status", "CR0", "40", "Count down", "\"countdown\"", "true"},
        {"lamp-time", "CR3", "0123", "0 1 2 3 Hour Use", "123", "true"},
        {"temp", "CR6", "+31.0 +33.5 +30.5",
         "S1= + 3 1 . 0 C  ,   S2=  3 3 . 5 C , S3= + 3 0 . 5 C",
         "{\"s1\":31.0,\"s2\":33.5,\"s3\":30.5}", "true"},
        {"setting", "CR4", "11", "Normally", "\"normal\"", "true"},
        {"mode", "CR1", "0", "Input 1", "1", "true"},
        {"C7F", "C7F", "\\u0015", "refused", "null", "false"},
    };
    std::istringstream lines(outcome.out);
    std::string line;
    for (const auto& fields : expected) {
        ASSERT_TRUE(std::getline(lines, line));
        std::smatch match;
        ASSERT_TRUE(std::regex_match(line, match, object)) << line;
        for (std::size_t i = 0; i < fields.size(); ++i) EXPECT_EQ(match[i + 1], fields[i]);
    }
    EXPECT_FALSE(std::getline(lines, line));
}

TEST(CtlAgainstSimulator, SpeedIsSetForTheRunAndTheLineLeftAsItWas) {
    PseudoTerminal line;
    ASSERT_TRUE(line.ok());
    termios before{};
    ASSERT_EQ(tcgetattr(line.masterFd(), &before), 0);
    cfsetispeed(&before, B19200);
    cfsetospeed(&before, B19200);
    ASSERT_EQ(tcsetattr(line.masterFd(), TCSANOW, &before), 0);
    ASSERT_EQ(tcgetattr(line.masterFd(), &before), 0);

    CtlProcess ctl({"--port", line.slavePath(), "--speed", "9600", "--timeout", "15000", "C02"});
    // zoma-ctl waits for the reply with the line set up, so its speed can be read meanwhile.
    EXPECT_EQ(line.read(kHangGuardMs), "C02\r");
    EXPECT_EQ(line.baudRate(), 9600);
    line.write("\x06");
    const Outcome outcome = ctl.finish();
    EXPECT_EQ(outcome.out, "ok\n");
    EXPECT_EQ(outcome.status, 0);

    termios after{};
    ASSERT_EQ(tcgetattr(line.masterFd(), &after), 0);
    EXPECT_EQ(line.baudRate(), 19200);
    EXPECT_EQ(after.c_iflag, before.c_iflag);
    EXPECT_EQ(after.c_oflag, before.c_oflag);
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
}

TEST(CtlAgainstSimulator, UsageErrorsAndMissingDevicesAreSaidAndSendNothing) {
    SimulatorProcess simulator;
    ASSERT_TRUE(simulator.ok());
    const std::string device = simulator.device();
    const RefusingTcpPort refusing;
    ASSERT_TRUE(refusing.ok());
    struct Case {
        std::vector<std::string> arguments;
        Environment env;
        int status;
        // Every one of these in the message on standard error.
        std::vector<std::string> message;
    };
    const Case cases[] = {
        {{"--port", device, "status", "bogus"}, {}, 2, {"'bogus'", "--list"}},
        {{"--port", device, "--bogus", "status"}, {}, 2, {"'--bogus'", "--list"}},
        {{"--port", device, "--repeat", "2", "status"}, {}, 2, {"--repeat", "'status'"}},
        {{"--port", device, "--speed", "4800", "status"}, {}, 2, {"--speed", "'4800'"}},
        // Numbers are plain decimal digits: no sign, no blanks.
        {{"--port", device, "--timeout", " +50", "status"}, {}, 2, {"--timeout", "' +50'"}},
        {{"--port", device, "--timeout", "+50", "status"}, {}, 2, {"--timeout", "'+50'"}},
        {{"--port", device, "--repeat", "\t2", "vol+"}, {}, 2, {"--repeat"}},
        {{"--port", device, "--repeat", "2 ", "vol+"}, {}, 2, {"--repeat", "'2 '"}},
        // A bare name is the device of that name under /dev, and is named so.
        {{"--port", "zoma-no-such-tty", "status"},
         {},
         3,
         {"cannot open /dev/zoma-no-such-tty: No such file or directory"}},
        {{"--port", "/tmp/" + std::string(300, 'x'), "status"},
         {},
         3,
         {"cannot open /tmp/xxx", ": The device's name is too long"}},
        {{"--port", "/nonexistent/zoma-tty", "status"},
         {},
         3,
         {"cannot open /nonexistent/zoma-tty: No such file or directory"}},
        {{"--port", "COM2", "status"},
         {{"ZOMA_COM2", "/nonexistent/zoma-com2"}},
         3,
         {"cannot open COM2 (/nonexistent/zoma-com2): "}},
        {{"--port", refusing.device(), "status"},
         {},
         3,
         {"cannot open " + refusing.device() + ": Connection refused"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments[2]);
        const Outcome outcome = runCtl(c.arguments, c.env);
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
        for (const std::string& part : c.message) {
            EXPECT_NE(outcome.err.find(part), std::string::npos) << outcome.err;
        }
    }
    // The port was not even opened.
    EXPECT_EQ(simulator.log().find("panel opened"), std::string::npos) << simulator.log();
}

TEST(CtlAgainstSimulator, AReadOutAnsweredWithoutAValueIsExitOne) {
    for (const bool value : {false, true}) {
        PseudoTerminal line;
        ASSERT_TRUE(line.ok());
        std::vector<std::string> arguments = {"--port", line.slavePath(), "lamp-time"};
        if (value) arguments.insert(arguments.begin(), "--value");
        CtlProcess ctl(arguments);
        EXPECT_EQ(line.read(kHangGuardMs), "CR3\r");
        // Two digits where the lamp's hours have four: the panel shows them, but they say no
        // number of hours.
        line.write("12\r");
        const Outcome outcome = ctl.finish();
        EXPECT_EQ(outcome.out, value ? "no value\n" : "1 2 CR  Hour Use\n");
        EXPECT_EQ(outcome.status, 1);
    }
}

TEST(CtlAgainstSimulator, SilenceIsWaitedForAsLongAsTheTimeoutSays) {
    SimulatorProcess simulator({"--silent"});
    ASSERT_TRUE(simulator.ok());
    const auto start = std::chrono::steady_clock::now();
    const Outcome outcome = runCtl({"--port", simulator.device(), "--timeout", "1500", "C02"});
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - start)
                            .count();
    EXPECT_EQ(outcome.out, "no reply\n");
    EXPECT_EQ(outcome.status, 1);
    // Not the default 500 ms: the timeout given, and not much more (a generous margin for a busy
    // machine; the run ends when the window does).
    EXPECT_GE(waited, 1500);
    EXPECT_LT(waited, 1500 + 5000);
}

TEST(CtlAgainstSimulator, AStreamWithoutAnEndIsCutAtTheReplyLimitAndReportedAsOverLong) {
    PseudoTerminal line;
    ASSERT_TRUE(line.ok());
    CtlProcess ctl({"--port", line.slavePath(), "--timeout", "20000", "--json", "status"});
    EXPECT_EQ(line.read(kHangGuardMs), "CR0\r");
    // No CR, ACK or NAK: nothing a projector would ever send as one reply.
    line.write(std::string(4096, '8'));
    const Outcome outcome = ctl.finish();
    EXPECT_EQ(outcome.out, "{\"command\":\"status\",\"code\":\"CR0\",\"reply\":\"" +
                               std::string(256, '8') +
                               "\",\"status\":\"over-long reply\",\"value\":null,\"ok\":false}\n");
    EXPECT_EQ(outcome.status, 1);
}

TEST(CtlAgainstSimulator, ALineLostMidRunLeavesALineForEveryCommandGiven) {
    SimulatorProcess simulator({"--tcp", "0", "--drop-after", "1"});
    ASSERT_TRUE(simulator.ok());
    const Outcome words = runCtl({"--port", simulator.device(), "power-on", "status", "lamp-time"});
    // The first frame took effect, but its reply went with the connection.
    EXPECT_EQ(words.out, "power-on: no reply\nstatus: not sent\nlamp-time: not sent\n");
    EXPECT_EQ(words.status, 1);
    EXPECT_NE(words.err.find("zoma-ctl: lost " + simulator.device() + ": "), std::string::npos)
        << words.err;
    const Outcome json = runCtl({"--port", simulator.device(), "--json", "status", "mode"});
    EXPECT_NE(json.out.find("{\"command\":\"mode\",\"code\":\"CR1\",\"reply\":\"\","
                            "\"status\":\"not sent\",\"value\":null,\"ok\":false}\n"),
              std::string::npos)
        << json.out;
    EXPECT_EQ(json.status, 1);
}

TEST(CtlAgainstSimulator, AFailedWriteToStandardOutputIsAnError) {
    SimulatorProcess simulator;
    ASSERT_TRUE(simulator.ok());
    const std::string ctl = ZOMA_CTL_PATH;
    for (const std::string& arguments :
         {"--port " + simulator.device() + " status", std::string("--version")}) {
        SCOPED_TRACE(arguments);
        // Standard error on the test's pipe, standard output on a device that is always full.
        ChildProcess toFile(
            {{"/bin/sh", "-c", "exec \"$0\" " + arguments + " 2>&1 >/dev/full", ctl},
             {},
             {},
             true});
        const std::string said = toFile.readToEnd(kHangGuardMs);
        EXPECT_EQ(toFile.finish(kHangGuardMs), 1);
        EXPECT_EQ(said, "zoma-ctl: cannot write to standard output: No space left on device\n");
    }
}

TEST(CtlAgainstSimulator, StopSignalsPutTheLineBackAndEndByTheSameSignal) {
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(strsignal(number));
        PseudoTerminal line;
        ASSERT_TRUE(line.ok());
        const termios before = untouchedLine(line);
        CtlProcess ctl({"--port", line.slavePath(), "--timeout", "20000", "C02"});
        // Waiting for the reply, with the line set up for the projector.
        EXPECT_EQ(line.read(kHangGuardMs), "C02\r");
        EXPECT_EQ(line.baudRate(), 19200);
        ctl.signal(number);
        const Outcome outcome = ctl.finish();
        EXPECT_TRUE(WIFSIGNALED(ctl.waitStatus()) && WTERMSIG(ctl.waitStatus()) == number)
            << "wait status " << ctl.waitStatus() << "; " << outcome.err;
        expectLineAsBefore(line, before);
    }
}

TEST(CtlAgainstSimulator, ASettingsFileThatIsNoFileIsSaidOnceAndTheRunGoesOn) {
    SimulatorProcess simulator;
    ASSERT_TRUE(simulator.ok());
    TempFolder config;
    ASSERT_FALSE(config.path.empty());
    std::filesystem::create_directory(config.path + "/zoma");
    const std::string pipe = config.path + "/zoma/zoma-panel.conf";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const Outcome outcome =
        runCtl({"status"}, {{"XDG_CONFIG_HOME", config.path}, {"ZOMA_COM1", simulator.device()}});
    EXPECT_EQ(outcome.out, "Stand by\n");
    EXPECT_EQ(outcome.err,
              "zoma-ctl: " + pipe + ": not used: it is a named pipe, not a regular file\n");
    EXPECT_EQ(outcome.status, 0);
}

TEST(CtlAgainstSimulator, HelpVersionAndListNeedNoLine) {
    EXPECT_EQ(runCtl({"--version"}).out, ZOMA_VERSION "\n");
    const Outcome list = runCtl({"--list"});
    EXPECT_EQ(list.status, 0);
    EXPECT_NE(list.out.find("  power-off         C02  POWER OFF\n"), std::string::npos);
    EXPECT_NE(list.out.find("  read-all"), std::string::npos);
    const Outcome help = runCtl({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("tcp://HOST:PORT"), std::string::npos);
}

}  // namespace
}  // namespace zoma
