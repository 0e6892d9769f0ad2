// Accepting, bounding and serving the connections of one port.
#include "gateway/qt/Listener.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <utility>

namespace zoma::gateway {

// A connection as the sessions see it, on its socket. It owns its session, and goes (later, from
// the event loop) when the connection ends: a session closes its connection from inside itself.
class Listener::SocketConnection : public QObject, public Connection {
  public:
    SocketConnection(Listener& listener, QTcpSocket* socket)
        : QObject(&listener), listener_(listener), socket_(socket) {
        listener_.all_.insert(this);
        socket_->setParent(this);
        socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        who_ = listener_.name_ + " " + peerText();
        connect(socket_, &QTcpSocket::readyRead, this, &SocketConnection::readAvailable);
        connect(socket_, &QTcpSocket::disconnected, this, &SocketConnection::ended);
        ++listener_.open_;
        if (listener_.logConnections_) listener_.log_(who_ + ": connected");
        session_ = listener_.makeSession_(*this, who_);
        // Whatever came with the connection, and a peer that has gone already.
        readAvailable();
        if (socket_->state() != QAbstractSocket::ConnectedState) ended();
    }

    ~SocketConnection() override {
        // The session first: it may still send, to a connection that is by then closed.
        gone_ = true;
        session_.reset();
        socket_->disconnect(this);
        listener_.all_.erase(this);
    }

    void send(const std::string& bytes) override {
        if (gone_) return;
        if (socket_->bytesToWrite() + static_cast<qint64>(bytes.size()) > kMaxUnsent) {
            listener_.log_(who_ + ": reads nothing of what it is sent; closed");
            socket_->abort();
            ended();
            return;
        }
        socket_->write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

    void close() override {
        if (gone_) return;
        // What was sent goes first; then the connection ends.
        socket_->disconnectFromHost();
        if (socket_->state() == QAbstractSocket::UnconnectedState) ended();
    }

    void abort() {
        socket_->abort();
        ended();
    }

  private:
    std::string peerText() const {
        const QHostAddress address = socket_->peerAddress();
        const bool ipv6 = address.protocol() == QAbstractSocket::IPv6Protocol &&
                          !address.toString().startsWith(QLatin1String("::ffff:"));
        const std::string host = address.toString().toStdString();
        return (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(socket_->peerPort());
    }

    void readAvailable() {
        // Read in bounded pieces: a session bounds what it keeps, whatever a peer sends.
        while (!gone_ && session_ && socket_->bytesAvailable() > 0) {
            char buffer[4096];
            const qint64 got = socket_->read(buffer, sizeof buffer);
            if (got <= 0) break;
            session_->receive(std::string_view(buffer, static_cast<std::size_t>(got)));
        }
    }

    void ended() {
        if (gone_) return;
        gone_ = true;
        --listener_.open_;
        if (listener_.logConnections_) listener_.log_(who_ + ": closed");
        deleteLater();
    }

    Listener& listener_;
    QTcpSocket* socket_;
    std::string who_;
    std::unique_ptr<Session> session_;
    bool gone_ = false;
};

Listener::Listener(std::string name, std::size_t maxConnections, MakeSession makeSession,
                   std::function<void(const std::string&)> log, bool logConnections,
                   QObject* parent)
    : QObject(parent),
      name_(std::move(name)),
      maxConnections_(maxConnections),
      makeSession_(std::move(makeSession)),
      log_(std::move(log)),
      logConnections_(logConnections) {
    server_.setMaxPendingConnections(static_cast<int>(maxConnections_));
    connect(&server_, &QTcpServer::newConnection, this, &Listener::accept);
}

Listener::~Listener() {
    closeAll();
    // Now, while the listener is whole: the connections tell it as they go.
    const std::set<SocketConnection*> all = all_;
    for (SocketConnection* connection : all) delete connection;
}

bool Listener::listen(const std::string& address, int port, std::string& error) {
    if (server_.listen(QHostAddress(QString::fromStdString(address)), static_cast<quint16>(port))) {
        return true;
    }
    error = server_.errorString().toStdString();
    return false;
}

int Listener::port() const {
    return server_.serverPort();
}

void Listener::accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        if (open_ >= maxConnections_) {
            // Closed at once: a client that finds the gateway full knows it at once.
            log_(name_ + " " + socket->peerAddress().toString().toStdString() +
                 ": refused, already " + std::to_string(open_) + " connections");
            socket->abort();
            socket->deleteLater();
            continue;
        }
        new SocketConnection(*this, socket);
    }
}

void Listener::closeAll() {
    server_.close();
    const std::set<SocketConnection*> all = all_;
    for (SocketConnection* connection : all) connection->abort();
}

}  // namespace zoma::gateway
