// Transmit and receive paths of the link, and the ends of the reply window and monitor hold.
#include "link/CommandLink.h"

#include <algorithm>

#include "replies/MonitorText.h"
#include "replies/StatusDecoding.h"
#include "vocabulary/Roles.h"

namespace zoma {

CommandLink::CommandLink(Form1Variables& vars, SerialPort& port, Timer& replyWindowTimer,
                         Timer& monitorHoldTimer, WindowServices& window)
    : vars_(vars),
      port_(port),
      replyWindowTimer_(replyWindowTimer),
      monitorHoldTimer_(monitorHoldTimer),
      window_(window),
      rxLine_(window) {}

void CommandLink::Hyouji(const std::string& text, std::uint8_t direction) {
    if (direction == kTransmit) {
        transmit(text);
    } else {
        decode(rxLine_.show(text));
    }
}

void CommandLink::send(std::string_view code) {
    vars_.LastCommand = std::string(code) + '\r';
    Hyouji(vars_.LastCommand, kTransmit);
}

void CommandLink::transmit(const std::string& frame) {
    if (!port_.isOpen()) {
        // Nothing can go out: show what the operator asked for and say why nothing answers.
        window_.setCaption(kTxLine, monitorText(frame));
        window_.setCaption(kStatusLine, kPortNotOpen);
        monitorHoldTimer_.setEnabled(true);
        return;
    }
    port_.write(frame);
    window_.setCaption(kTxLine, monitorText(frame));
    replyWindowTimer_.setEnabled(true);
    vars_.AwaitingReply = 1;
    monitorHoldTimer_.setEnabled(true);
}

void CommandLink::decode(const std::string& rxMonitorText) {
    if (auto status = decodeStatus(vars_.LastCommand, rxMonitorText)) {
        window_.setCaption(kStatusLine, *status);
    }
}

void CommandLink::MSComm1_OnComm(int commEvent) {
    if (commEvent != SerialPort::kReceive) return;
    const std::string input = port_.readAll();
    const std::size_t room = kRxBufferLimit - std::min(kRxBufferLimit, vars_.RxBuffer.size());
    vars_.RxBuffer.append(input, 0, std::min(room, input.size()));
    vars_.AwaitingReply = 0;
    Hyouji(vars_.RxBuffer, kReceived);
}

void CommandLink::Timer2_Timer() {
    if (vars_.AwaitingReply == 1) rxLine_.showMark(kNoReplyMark);
    replyWindowTimer_.setEnabled(false);
    clearRxBuffer();
    vars_.AwaitingReply = 0;
}

void CommandLink::Timer4_Timer() {
    window_.setCaption(kTxLine, "");
    rxLine_.clear();
    window_.setCaption(kStatusLine, "");
    monitorHoldTimer_.setEnabled(false);
}

void CommandLink::setPace(int replyWindowMs, int monitorHoldMs) {
    replyWindowTimer_.setInterval(replyWindowMs);
    monitorHoldTimer_.setInterval(monitorHoldMs);
}

void CommandLink::endHold() {
    replyWindowTimer_.setEnabled(false);
    monitorHoldTimer_.setEnabled(true);
    window_.setCaption(kTxLine, "");
    rxLine_.clear();
    setPace(kReplyWindowInterval, kMonitorHoldInterval);
    clearRxBuffer();
}

void CommandLink::clearRxBuffer() {
    vars_.RxBuffer.clear();
    rxLine_.bufferCleared();
}

}  // namespace zoma
