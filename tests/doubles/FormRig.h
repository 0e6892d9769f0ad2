// The form on a virtual clock, a scripted port and a recording window.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "doubles/FakeWindow.h"
#include "doubles/ScriptedPort.h"
#include "doubles/VirtualClock.h"
#include "form/Form1.h"
#include "platform/WindowServices.h"

namespace zoma::testing {

struct FormRig {
    explicit FormRig(WindowServices* realWindow = nullptr)
        : repeatTimer(clock.makeTimer()),
          replyWindowTimer(clock.makeTimer()),
          panelHideTimer(clock.makeTimer()),
          monitorHoldTimer(clock.makeTimer()),
          form({port,
                {repeatTimer, replyWindowTimer, panelHideTimer, monitorHoldTimer},
                realWindow != nullptr ? *realWindow : static_cast<WindowServices&>(window)}) {
        port.onWrite = [this](const std::string& bytes) { sent.push_back({clock.now(), bytes}); };
    }

    struct Sent {
        std::int64_t at;
        std::string bytes;
        bool operator==(const Sent& other) const { return at == other.at && bytes == other.bytes; }
    };

    // Start-up, then forget what start-up itself did to the line.
    void load() {
        form.Form_Load();
        port.takeWritten();
        sent.clear();
    }

    std::string label(std::string_view name) const { return form.window.caption(name); }

    VirtualClock clock;
    ScriptedPort port;
    FakeWindow window;
    VirtualTimer& repeatTimer;
    VirtualTimer& replyWindowTimer;
    VirtualTimer& panelHideTimer;
    VirtualTimer& monitorHoldTimer;
    Form1 form;
    // Every write with its virtual time.
    std::vector<Sent> sent;
};

inline std::ostream& operator<<(std::ostream& out, const FormRig::Sent& sent) {
    return out << sent.at << " ms: " << sent.bytes.substr(0, 3);
}

}  // namespace zoma::testing
