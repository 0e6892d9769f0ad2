// Connecting to a serial device server without holding up the window.
#pragma once

#include <QEventLoop>
#include <QTcpSocket>
#include <optional>

#include "platform/OpenFailure.h"
#include "platform/TcpDevice.h"

namespace zoma {

// How long a device server is given to accept the connection, host name lookup included.
constexpr int kTcpConnectLimitMs = 3000;

// Connects the socket to the device and returns once it is connected (nothing returned) or has
// failed (the kind, the reason and for a timeout the limit; the socket is closed again).
//
// The caller expects an answer before it goes on, as with a serial port's open, but a device
// server may take seconds to answer or never does. So the wait runs a nested event loop with the
// given flags: the window keeps painting and its timers keep running. With
// ExcludeUserInputEvents clicks and keys wait until the open has ended, so no second port choice
// can start inside this one; a caller that holds user input back itself runs every event, so
// that what is not input (a request to close the window) is seen while it waits.
//
// A connected socket sends every write at once (no Nagle delay: a repeat sends a frame every
// 5 ms) and probes an idle connection, so a line cut in the network is noticed too.
std::optional<OpenFailure> connectTcp(
    QTcpSocket& socket, const TcpDevice& device, int limitMs = kTcpConnectLimitMs,
    QEventLoop::ProcessEventsFlags flags = QEventLoop::ExcludeUserInputEvents);

}  // namespace zoma
