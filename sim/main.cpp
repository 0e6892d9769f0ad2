// zoma-projector-sim: plays a ZOMA LT540/LT47 projector for the panel, on a pseudo-terminal or TCP.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sim/PtyLine.h"
#include "sim/SimLog.h"
#include "sim/SimLoop.h"
#include "sim/SimOptions.h"
#include "sim/TcpLine.h"

namespace {

int stopWriteFd = -1;

// The loop waits in poll(); a byte on this pipe wakes it, with no race against a flag.
extern "C" void onStopSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(stopWriteFd, &byte, 1);
    errno = saved;
}

// Returns the read end of the stop pipe, or -1.
int installStopSignals() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return -1;
    stopWriteFd = fds[1];
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    // Neither a log on a pipe whose reader left nor a write to a TCP client that has just gone
    // may end the run; the write fails with EPIPE instead.
    ::signal(SIGPIPE, SIG_IGN);
    return fds[0];
}

std::string startText(const zoma::sim::SimOptions& o, const std::string& address) {
    using namespace zoma::sim;
    std::string text = "projector on " + address + ", " +
                       std::string(powerRow(o.model.startState).name) + ", lamp " +
                       std::to_string(o.model.lampHours) + " h, " +
                       std::string(orientationRow(o.model.orientation).name);
    if (o.dropAfter > 0) text += ", drop after " + std::to_string(o.dropAfter) + " frames";
    if (o.timing.silent) text += ", silent";
    if (o.timing.delayMs > 0) text += ", delay " + std::to_string(o.timing.delayMs) + " ms";
    if (o.timing.pieceSize > 0) {
        text += ", pieces of " + std::to_string(o.timing.pieceSize) + " every " +
                std::to_string(o.timing.gapMs) + " ms";
    }
    if (o.noisePerSecond) text += ", noise " + std::to_string(*o.noisePerSecond) + "/s";
    if (o.stream) {
        text += ", stream " + (o.streamPerSecond ? std::to_string(*o.streamPerSecond) + "/s"
                                                 : std::string("max"));
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace zoma::sim;
    const std::string program = argc > 0 ? argv[0] : "zoma-projector-sim";
    const ParsedOptions parsed = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.help) {
        std::fputs(helpText(program).c_str(), stdout);
        return 0;
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "%s: %s (try --help)\n", program.c_str(), parsed.error.c_str());
        return 2;
    }
    const SimOptions& options = parsed.options;

    std::FILE* logFile = stderr;
    if (!options.logPath.empty()) {
        logFile = std::fopen(options.logPath.c_str(), "w");
        if (logFile == nullptr) {
            std::perror(options.logPath.c_str());
            return 1;
        }
    }
    const int stopFd = installStopSignals();
    if (stopFd < 0) {
        std::perror("pipe");
        return 1;
    }

    try {
        SimLog log(logFile);
        std::unique_ptr<SimLine> line;
        std::optional<SlaveLink> link;
        if (options.tcpPort) {
            line = std::make_unique<TcpLine>(options.listenAddress.value_or(kLoopbackAddress),
                                             *options.tcpPort, log);
        } else {
            auto pty = std::make_unique<PtyLine>(log);
            if (!options.linkPath.empty()) link.emplace(options.linkPath, pty->slavePath());
            line = std::move(pty);
        }

        // The first line tells a script or test where to connect.
        std::printf("%s\n", line->address().c_str());
        std::fflush(stdout);

        SimLoop loop(options, *line, log, stopFd);
        log.line(loop.now(), startText(options, line->address()));
        loop.run();
        log.line(loop.now(), "stopped");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", program.c_str(), error.what());
        return 1;
    }
    if (logFile != stderr) std::fclose(logFile);
    return 0;
}
