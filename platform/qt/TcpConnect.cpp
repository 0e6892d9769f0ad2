// The nested wait for a connection, its failures by kind, and the connected socket's options.
#include "platform/qt/TcpConnect.h"

#include <QEventLoop>
#include <QTimer>

#ifdef __linux__
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

namespace zoma {

namespace {

// A network cut leaves the connection open on this side: nothing says the line is gone until
// TCP gives up, which by default takes a quarter of an hour for a sent frame and hours for an
// idle line. These bring it down to about ten seconds for a frame that is not acknowledged and
// half a minute for an idle line; then the port fails as an unplugged adapter does.
void probeForCuts(QTcpSocket& socket) {
    socket.setSocketOption(QAbstractSocket::KeepAliveOption, 1);
#ifdef __linux__
    static constexpr int kIdleSeconds = 15;
    static constexpr int kProbeIntervalSeconds = 5;
    static constexpr int kProbes = 3;
    static constexpr unsigned int kUnacknowledgedMs = 10000;
    const auto fd = static_cast<int>(socket.socketDescriptor());
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &kIdleSeconds, sizeof kIdleSeconds);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &kProbeIntervalSeconds,
                 sizeof kProbeIntervalSeconds);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &kProbes, sizeof kProbes);
    ::setsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &kUnacknowledgedMs, sizeof kUnacknowledgedMs);
#endif
}

OpenFailureKind kindOf(QAbstractSocket::SocketError error) {
    switch (error) {
        case QAbstractSocket::HostNotFoundError:
            return OpenFailureKind::HostNotFound;
        case QAbstractSocket::ConnectionRefusedError:
            return OpenFailureKind::ConnectionRefused;
        case QAbstractSocket::SocketTimeoutError:
            return OpenFailureKind::TimedOut;
        default:
            return OpenFailureKind::Other;
    }
}

}  // namespace

std::optional<OpenFailure> connectTcp(QTcpSocket& socket, const TcpDevice& device, int limitMs,
                                      QEventLoop::ProcessEventsFlags flags) {
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    QObject::connect(&socket, &QAbstractSocket::connected, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QAbstractSocket::errorOccurred, &loop, &QEventLoop::quit);

    socket.connectToHost(QString::fromStdString(device.host), static_cast<quint16>(device.port));
    // Quitting a loop that is not running yet does nothing, so an answer that came at once must
    // not be waited for.
    const bool underWay = socket.state() != QAbstractSocket::ConnectedState &&
                          socket.state() != QAbstractSocket::UnconnectedState;
    if (underWay) {
        limit.start(limitMs);
        loop.exec(flags);
    }

    if (socket.state() == QAbstractSocket::ConnectedState) {
        socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        probeForCuts(socket);
        return std::nullopt;
    }
    OpenFailure failure;
    failure.kind = timedOut ? OpenFailureKind::TimedOut : kindOf(socket.error());
    if (failure.kind == OpenFailureKind::TimedOut) {
        // Worded from the limit: the system has no words for a wait it did not run.
        failure.limitMs = limitMs;
    } else {
        failure.reason = socket.errorString().toStdString();
    }
    socket.abort();
    return failure;
}

}  // namespace zoma
