// Transmit and receive paths of the link, and the ends of the reply window and monitor hold.
#include "link/CommandLink.h"

#include <algorithm>

#include "form/Roles.h"
#include "replies/MonitorText.h"
#include "replies/StatusDecoding.h"

namespace zoma {

CommandLink::CommandLink(Form1Variables& vars, SerialPort& port, Timer& replyWindowTimer,
                         Timer& monitorHoldTimer, WindowServices& window)
    : vars_(vars),
      port_(port),
      replyWindowTimer_(replyWindowTimer),
      monitorHoldTimer_(monitorHoldTimer),
      window_(window) {}

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

void CommandLink::showReceived(const std::string& text) {
    if (&text != &vars_.RxBuffer) {
        // Any other text is rendered whole; the running rendering of RxBuffer is kept for the
        // next receipt, but the RX line no longer shows it.
        const std::string monitor = monitorText(text);
        window_.setCaption(kRxLine, monitor);
        rxLineShown_ = false;
        decode(monitor);
        return;
    }
    if (renderedLength_ > text.size()) {
        rxMonitor_ = monitorText(text);
        renderedLength_ = text.size();
        rxLineShown_ = false;
    } else if (text.size() > renderedLength_) {
        // RxBuffer only grows between clears: render just the new characters.
        appendMonitorTokens(rxMonitor_, std::string_view(text).substr(renderedLength_));
        renderedLength_ = text.size();
        rxLineShown_ = false;
    }
    // Unless something else wrote the RX line since, it already shows this rendering: a
    // receipt that added nothing costs no copy of a long line.
    if (!rxLineShown_) {
        window_.setCaption(kRxLine, rxMonitor_);
        rxLineShown_ = true;
    }
    decode(rxMonitor_);
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
    if (vars_.AwaitingReply == 1) {
        window_.setCaption(kRxLine, kNoReplyMark);
        rxLineShown_ = false;
    }
    replyWindowTimer_.setEnabled(false);
    clearRxBuffer();
    vars_.AwaitingReply = 0;
}

void CommandLink::Timer4_Timer() {
    window_.setCaption(kTxLine, "");
    window_.setCaption(kRxLine, "");
    window_.setCaption(kStatusLine, "");
    rxLineShown_ = false;
    monitorHoldTimer_.setEnabled(false);
}

void CommandLink::clearRxBuffer() {
    vars_.RxBuffer.clear();
    rxMonitor_ = " ";
    renderedLength_ = 0;
    // The callers clear or overwrite the RX line too.
    rxLineShown_ = false;
}

}  // namespace zoma
