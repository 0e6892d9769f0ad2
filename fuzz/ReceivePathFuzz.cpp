// The whole form on the test doubles, driven by a script of receipts, clicks, holds and time:
// after every receipt the RX line is the monitor text of the receive buffer, however it grew.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "FuzzScript.h"
#include "doubles/FormRig.h"
#include "link/CommandLink.h"
#include "replies/MonitorText.h"
#include "replies/StatusDecoding.h"
#include "vocabulary/Roles.h"

namespace {

using namespace zoma;

constexpr std::string_view kClicked[] = {
    "Command17", "Command18", "Command44", "Command45",  "Command46", "Command47", "Command38",
    "Command52", "Command10", "Command11", "Command41",  "Command13", "Command23", kComButton,
    kDataToggle, kOptionCom1, kOptionCom2, kOption19200, kOption9600,
};

constexpr std::string_view kHeld[] = {
    "Command1",  "Command2",  "Command5",  "Command7",  "Command9",  "Command8",
    "Command15", "Command35", "Command36", "Command37", "Command6",  "Command30",
    "Command48", "Command49", "Command50", "Command51", "Command59", "Command62",
};

template <typename T, std::size_t N>
constexpr std::size_t countOf(const T (&)[N]) {
    return N;
}

void checkReceipt(zoma::testing::FormRig& rig) {
    const zoma::Form1Variables& vars = rig.form.vars;
    const std::string rx = rig.label(kRxLine);
    ZOMA_FUZZ_CHECK(rx == zoma::monitorText(vars.RxBuffer));
    if (const auto status = zoma::decodeStatus(vars.LastCommand, rx)) {
        ZOMA_FUZZ_CHECK(rig.label(kStatusLine) == *status);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zoma::testing::FormRig rig;
    rig.load();
    zoma::Form1& form = rig.form;
    Script script(data, size);
    while (!script.done()) {
        bool received = false;
        switch (script.next() % 9) {
            case 0:  // a piece of a reply
                received = rig.port.isOpen();
                rig.port.deliver(script.take(script.next() % 32));
                break;
            case 1: {  // a long run of the same bytes, enough to reach the buffer's limit
                const std::string unit = script.take(1 + script.next() % 16);
                const std::size_t times = 1 + static_cast<std::size_t>(script.next()) * 16;
                std::string run;
                for (std::size_t i = 0; i < times; ++i) run += unit;
                received = rig.port.isOpen();
                rig.port.deliver(run);
                break;
            }
            case 2:
                rig.clock.advance(static_cast<std::int64_t>(script.next()) * 4);
                break;
            case 3:
                form.click(kClicked[script.next() % countOf(kClicked)]);
                break;
            case 4:
                form.mouseDown(kHeld[script.next() % countOf(kHeld)]);
                break;
            case 5:
                form.mouseUp(kHeld[script.next() % countOf(kHeld)]);
                break;
            case 6: {  // a port event of any kind, data waiting or not
                const int event = script.next() % 4;
                received = event == zoma::SerialPort::kReceive;
                form.link.MSComm1_OnComm(event);
                break;
            }
            case 7:
                if (rig.port.isOpen()) rig.port.failWhileOpen("Input/output error");
                break;
            case 8: {
                const int key = script.next();
                form.Form_KeyDown(key, script.next() & 7);
                break;
            }
        }

        ZOMA_FUZZ_CHECK(form.vars.RxBuffer.size() <= 32767);
        ZOMA_FUZZ_CHECK(form.vars.AwaitingReply <= 1);
        if (received) checkReceipt(rig);
        for (const auto& sent : rig.sent) {
            // Only whole frames go out: three characters and CR.
            ZOMA_FUZZ_CHECK(sent.bytes.size() == 4 && sent.bytes[3] == '\r');
        }
        rig.sent.clear();
    }
    return 0;
}
