// One of the gateway's TCP ports: a bounded number of connections, each served by a session of
// its own, and one log line as each comes and goes.
#pragma once

#include <QObject>
#include <QTcpServer>
#include <cstddef>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "gateway/Connection.h"

namespace zoma::gateway {

class Listener : public QObject {
    Q_OBJECT
  public:
    // What serves one connection: the peer's bytes go to receive(). It is destroyed when the
    // connection ends.
    class Session {
      public:
        virtual ~Session() = default;
        virtual void receive(std::string_view bytes) = 0;
    };
    using MakeSession =
        std::function<std::unique_ptr<Session>(Connection& connection, const std::string& who)>;

    // Bytes a peer may leave unread before it is taken for gone: a scrape's answer, a few PJLink
    // lines and a raw client's replies are far less.
    static constexpr qint64 kMaxUnsent = 256 * 1024;

    // `name` starts the name each session is given for its peer ("pjlink 127.0.0.1:51234").
    // Sessions that log their connections themselves need no `logConnections`.
    Listener(std::string name, std::size_t maxConnections, MakeSession makeSession,
             std::function<void(const std::string&)> log, bool logConnections,
             QObject* parent = nullptr);
    ~Listener() override;

    // False, with the system's reason, when the address cannot be listened on.
    bool listen(const std::string& address, int port, std::string& error);
    // The port listened on (the one picked when 0 was asked for).
    int port() const;
    std::size_t connections() const { return open_; }
    // Stops listening and ends every connection at once.
    void closeAll();

  private:
    class SocketConnection;
    void accept();

    std::string name_;
    std::size_t maxConnections_;
    MakeSession makeSession_;
    std::function<void(const std::string&)> log_;
    bool logConnections_;
    QTcpServer server_;
    // Every connection object, ended ones included until they are deleted.
    std::set<SocketConnection*> all_;
    // The connections not ended.
    std::size_t open_ = 0;
};

// A session of type T as a listener's Session: made from its own constructor's arguments.
template <typename T>
struct Served : Listener::Session {
    template <typename... Args>
    explicit Served(Args&&... args) : session(std::forward<Args>(args)...) {}
    void receive(std::string_view bytes) override { session.receive(bytes); }
    T session;
};

}  // namespace zoma::gateway
