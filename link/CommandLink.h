// The only path between the panel and the projector: transmit, receive, reply window, monitor hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "link/DesignIntervals.h"
#include "link/RxLine.h"
#include "platform/SerialPort.h"
#include "platform/Timer.h"
#include "platform/WindowServices.h"
#include "vocabulary/Form1Variables.h"

namespace zoma {

class CommandLink {
  public:
    static constexpr std::uint8_t kTransmit = 1;
    static constexpr std::uint8_t kReceived = 2;
    // Received characters kept until the next clear; later ones are dropped so that a device
    // streaming without pause cannot grow memory or the work per receipt without bound. The
    // first characters, the ones the status decoding reads, are the ones kept.
    static constexpr std::size_t kRxBufferLimit = 32767;
    static constexpr const char* kNoReplyMark = " X X X X";
    static constexpr const char* kPortNotOpen = " Port not open";

    CommandLink(Form1Variables& vars, SerialPort& port, Timer& replyWindowTimer,
                Timer& monitorHoldTimer, WindowServices& window);

    // Direction 1 writes the text to the port and shows it on the TX line; any other direction
    // shows the text on the RX line and runs the status decoding.
    void Hyouji(const std::string& text, std::uint8_t direction);

    // What every sending handler does: LastCommand = code & CR, then Hyouji with it and
    // direction 1.
    void send(std::string_view code);

    // The reply window and the monitor hold while a button is held (or the arrow pad's pace).
    void setPace(int replyWindowMs, int monitorHoldMs);
    // The release of a held button cuts in: the last frame's window ends without a mark, the
    // monitor hold runs a full design interval from now, both monitor lines and RxBuffer are
    // emptied, and the design intervals are back.
    void endHold();

    void MSComm1_OnComm(int commEvent);
    // End of the reply window.
    void Timer2_Timer();
    // End of the monitor hold.
    void Timer4_Timer();

    // RxBuffer = empty. Every clear goes through here so the RX line's rendering stays in step.
    void clearRxBuffer();

  private:
    void transmit(const std::string& frame);
    // The status decoding of a rendered RX text, onto the status line.
    void decode(const std::string& rxMonitorText);

    Form1Variables& vars_;
    SerialPort& port_;
    Timer& replyWindowTimer_;
    Timer& monitorHoldTimer_;
    WindowServices& window_;
    RxLine rxLine_;
};

}  // namespace zoma
