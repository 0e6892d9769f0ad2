// zoma-gateway: one projector's line served on the network as a PJLink class 1 device, a raw
// TCP port and Prometheus metrics, all through one request queue on the line.
#include <QCoreApplication>
#include <QDateTime>
#include <QHostInfo>
#include <QRandomGenerator>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "ctl/PortChoice.h"
#include "gateway/Gateway.h"
#include "gateway/GatewayOptions.h"
#include "gateway/HttpSession.h"
#include "gateway/LineKeeper.h"
#include "gateway/MetricsText.h"
#include "gateway/PasswordFile.h"
#include "gateway/PjlinkSession.h"
#include "gateway/Poller.h"
#include "gateway/RawSession.h"
#include "gateway/qt/Listener.h"
#include "platform/SettingsFile.h"
#include "platform/qt/QtLinePort.h"
#include "platform/qt/QtTimer.h"
#include "platform/qt/QtTimerFactory.h"
#include "platform/qt/StopSignals.h"

using namespace zoma;
using namespace zoma::gateway;

namespace {

// Connections each port serves at once; one more is closed at once. A room has a controller or
// two, with scheduling and monitoring software besides; the raw port serves a booth's panel and
// a script; Prometheus scrapes one at a time.
constexpr std::size_t kMaxPjlinkConnections = 32;
constexpr std::size_t kMaxRawConnections = 4;
constexpr std::size_t kMaxMetricsConnections = 8;

void logLine(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

int usageError(const std::string& text) {
    std::fprintf(stderr, "zoma-gateway: %s (try --help)\n", text.c_str());
    return 2;
}

std::string hostName() {
    std::string name = QHostInfo::localHostName().toStdString();
    if (name.size() > kMaxNameBytes) name.resize(kMaxNameBytes);
    return name.empty() ? std::string("zoma-gateway") : name;
}

// Bytes from the system's secure source.
std::string secureRandom(std::size_t count) {
    std::string bytes(count, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(QRandomGenerator::system()->bounded(256));
    }
    return bytes;
}

std::int64_t steadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::string resultName(Verdict verdict) {
    return verdict == Verdict::NoReply ? "no_reply" : std::string(verdictName(verdict));
}

}  // namespace

int main(int argc, char** argv) {
    const GatewayOptions options =
        parseGatewayOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!options.error.empty()) return usageError(options.error);
    if (options.help) {
        std::fputs(gatewayHelp().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::puts(ZOMA_VERSION);
        return 0;
    }
    // Read once, before anything listens.
    std::string password;
    if (!options.passwordFile.empty()) {
        const PasswordRead read = readPasswordFile(options.passwordFile);
        if (!read.error.empty()) {
            std::fprintf(stderr, "zoma-gateway: %s\n", read.error.c_str());
            return 2;
        }
        password = read.password;
    }

    // COM1 and COM2 are the panel's ports, which the settings file may name.
    PortDevices devices;
    if (ctl::namesPanelPort(options.port)) {
        const LoadedSettings settings = loadSettings(processEnvironment);
        for (const std::string& warning : settings.warnings) logLine("zoma-gateway: " + warning);
        devices = resolvePortDevices({}, processEnvironment, settings.file);
    }
    const ctl::PortChoice choice = ctl::choosePort(options.port, devices);

    QCoreApplication app(argc, argv);
    QtLinePort port;
    ctl::aimLinePort(port, choice, devices, options.speed);

    QtTimer replyWindow;
    QtTimer pace;
    QtTimer backgroundHold;
    QtTimer retry;
    QtTimer pollTimer;
    QtTimerFactory timers;
    RequestQueue queue(port, {replyWindow, pace, backgroundHold});

    GatewaySettings settings;
    settings.password = password;
    settings.name = options.name.empty() ? hostName() : options.name;
    settings.model = options.model;
    settings.verbose = options.verbose;
    Gateway gateway(queue, timers, steadyMs, secureRandom, settings);
    gateway.onLog = logLine;

    MetricsText metrics(ZOMA_VERSION, port.device(), options.model);
    gateway.onRequest = [&metrics](const RequestEvent& event) {
        if (event.refusedBySession && event.source == RequestSource::Raw) {
            metrics.rawFrameRefused();
        }
        metrics.requestEnded(
            sourceName(event.source), resultName(event.verdict),
            event.replyMs ? std::optional<double>(*event.replyMs / 1000.0) : std::nullopt);
    };

    LineKeeper keeper(port, retry, logLine);
    std::uint64_t reconnectsCounted = 0;
    keeper.onOpened = [&] {
        while (reconnectsCounted < keeper.reconnects()) {
            metrics.reconnected();
            ++reconnectsCounted;
        }
    };
    queue.onLineFailed = [&keeper](const std::string& reason) { keeper.lineFailed(reason); };

    // The listeners, each printed as it listens; nothing is served before all of them are.
    std::vector<std::unique_ptr<Listener>> listeners;
    const auto startListener = [&](const char* name, const ListenAddress& at, std::size_t max,
                                   Listener::MakeSession make, bool logConnections = false) {
        auto listener =
            std::make_unique<Listener>(name, max, std::move(make), logLine, logConnections);
        std::string error;
        if (!listener->listen(at.address, at.port, error)) {
            std::fprintf(stderr, "zoma-gateway: cannot listen for %s on %s: %s\n", name,
                         listenText(at.address, at.port).c_str(), error.c_str());
            return false;
        }
        std::printf("%s %s\n", name, listenText(at.address, listener->port()).c_str());
        listeners.push_back(std::move(listener));
        return true;
    };
    const auto renderMetrics = [&] {
        metrics.setLineOpen(port.isOpen());
        return metrics.render();
    };
    bool listening = startListener("pjlink", options.pjlink, kMaxPjlinkConnections,
                                   [&gateway](Connection& connection, const std::string& who) {
                                       auto served = std::make_unique<Served<PjlinkSession>>(
                                           gateway, connection, who);
                                       served->session.start();
                                       return std::unique_ptr<Listener::Session>(std::move(served));
                                   });
    if (listening && options.raw) {
        listening = startListener(
            "raw", *options.raw, kMaxRawConnections,
            [&gateway](Connection& connection, const std::string& who) {
                return std::unique_ptr<Listener::Session>(
                    std::make_unique<Served<RawSession>>(gateway, connection, "raw " + who));
            });
    }
    if (listening && options.metrics) {
        // Basic authentication wherever the metrics leave this machine.
        const std::string metricsPassword = isLoopback(options.metrics->address) ? "" : password;
        listening = startListener(
            "metrics", *options.metrics, kMaxMetricsConnections,
            [&timers, metricsPassword, &renderMetrics](Connection& connection, const std::string&) {
                auto served = std::make_unique<Served<HttpSession>>(connection, timers,
                                                                    metricsPassword, renderMetrics);
                served->session.start();
                return std::unique_ptr<Listener::Session>(std::move(served));
            },
            // A scrape is a request: logged only when every request is.
            options.verbose);
    }
    if (!listening) return 1;
    std::fflush(stdout);

    // A service manager's stop is the gateway's normal end: connections closed, the line's
    // settings put back, status 0.
    const StopSignals stopSignals([&](int) {
        for (const auto& listener : listeners) listener->closeAll();
        keeper.stop();
        app.exit(0);
    });

    std::unique_ptr<Poller> poller;
    if (options.pollInterval() > 0) {
        poller = std::make_unique<Poller>(gateway, metrics, pollTimer, options.pollInterval(), [] {
            return static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0;
        });
    }
    // The line is opened once the listeners are up: a device server that takes its time to
    // answer holds nothing back, and clients are told ERR4 until the line is there.
    QMetaObject::invokeMethod(
        &app,
        [&] {
            keeper.start();
            if (poller) poller->start();
        },
        Qt::QueuedConnection);
    const int status = app.exec();
    listeners.clear();
    keeper.stop();
    return status;
}
