// Transmit and receive paths of the link, and the ends of the reply window and monitor hold.
#include "link/CommandLink.h"

#include <algorithm>

#include "replies/MonitorText.h"
#include "replies/StatusDecoding.h"

namespace zoma {

CommandLink::CommandLink(Form1Variables& vars, SerialPort& port, Timer& timer2, Timer& timer4,
                         WindowServices& window)
    : vars_(vars), port_(port), timer2_(timer2), timer4_(timer4), window_(window) {}

void CommandLink::Hyouji(const std::string& text, std::uint8_t direction) {
    if (direction == kTransmit) {
        transmit(text);
    } else {
        showReceived(text);
    }
}

void CommandLink::transmit(const std::string& frame) {
    if (!port_.isOpen()) {
        // Nothing can go out: show what the operator asked for and say why nothing answers.
        window_.setCaption("Label11", monitorText(frame));
        window_.setCaption("Label25", kPortNotOpen);
        timer4_.setEnabled(true);
        return;
    }
    port_.write(frame);
    window_.setCaption("Label11", monitorText(frame));
    timer2_.setEnabled(true);
    vars_.AwaitingReply = 1;
    timer4_.setEnabled(true);
}

void CommandLink::showReceived(const std::string& text) {
    if (&text == &vars_.RxBuffer && renderedLength_ <= text.size()) {
        // RxBuffer only grows between clears: render just the new characters.
        if (text.size() > renderedLength_) {
            appendMonitorTokens(rxMonitor_, std::string_view(text).substr(renderedLength_));
            renderedLength_ = text.size();
            rxLineShown_ = false;
        }
    } else {
        rxMonitor_ = monitorText(text);
        renderedLength_ = &text == &vars_.RxBuffer ? text.size() : 0;
        rxLineShown_ = false;
    }
    // Unless something else wrote the RX line since, it already shows this rendering: a
    // receipt that added nothing costs no copy of a long line.
    if (!rxLineShown_) {
        window_.setCaption("Label12", rxMonitor_);
        rxLineShown_ = true;
    }
    if (auto status = decodeStatus(vars_.LastCommand, rxMonitor_)) {
        window_.setCaption("Label25", *status);
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
    if (vars_.AwaitingReply == 1) {
        window_.setCaption("Label12", kNoReplyMark);
        rxLineShown_ = false;
    }
    timer2_.setEnabled(false);
    clearRxBuffer();
    vars_.AwaitingReply = 0;
}

void CommandLink::Timer4_Timer() {
    window_.setCaption("Label11", "");
    window_.setCaption("Label12", "");
    window_.setCaption("Label25", "");
    rxLineShown_ = false;
    timer4_.setEnabled(false);
}

void CommandLink::clearRxBuffer() {
    vars_.RxBuffer.clear();
    rxMonitor_ = " ";
    renderedLength_ = 0;
    // The callers clear or overwrite the RX line too.
    rxLineShown_ = false;
}

void CommandLink::portFailed(const std::string& errorText) {
    window_.showWarning(errorText);
}

}  // namespace zoma
