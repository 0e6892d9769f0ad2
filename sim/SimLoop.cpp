// Reading frames, answering them and feeding the line, all from one poll() loop.
#include "sim/SimLoop.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "sim/ByteText.h"

namespace zoma::sim {

namespace {

// Noise and stream bytes beyond this much unread output are dropped, as a real sender's would
// be overrun; replies are always kept.
constexpr std::size_t kMaxUnsent = 64 * 1024;
// How much of an unpaced stream is prepared at a time.
constexpr std::size_t kStreamChunk = 4096;

std::string powerText(PowerState state) {
    return "power: " + std::string(powerRow(state).name);
}

}  // namespace

SimLoop::SimLoop(const SimOptions& options, SimLine& line, SimLog& log, int stopFd)
    : line_(line),
      log_(log),
      stopFd_(stopFd),
      start_(std::chrono::steady_clock::now()),
      model_(options.model, 0),
      replies_(options.timing),
      dropAfter_(options.dropAfter) {
    if (options.noisePerSecond) noise_.emplace(*options.noisePerSecond, options.seed, 0);
    if (options.stream) stream_.emplace(options.streamPerSecond, 0);
}

Millis SimLoop::now() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start_)
        .count();
}

void SimLoop::run() {
    for (;;) {
        const Millis before = now();
        if (model_.advance(before)) log_.line(before, powerText(model_.power()));
        queueDue(before);
        writeOutput(before);

        pollfd fds[3] = {
            {stopFd_, POLLIN, 0}, {line_.peerFd(), POLLIN, 0}, {line_.doorFd(), POLLIN, 0}};
        if (!output_.empty()) fds[1].events |= POLLOUT;
        const int ready = ::poll(fds, 3, pollTimeout(before));
        if (ready < 0 && errno != EINTR)
            throw std::system_error(errno, std::generic_category(), "poll");
        if (ready < 0) continue;
        if (fds[0].revents != 0) break;

        const Millis after = now();
        const bool knocked = fds[2].revents != 0;
        // Before a knock is answered the panel's input is read too, so a panel that has just
        // left is seen gone and the one knocking is let in rather than turned away.
        if (line_.connected() && (knocked || (fds[1].revents & (POLLIN | POLLHUP | POLLERR)))) {
            readInput(after, (fds[1].revents & POLLHUP) != 0);
        }
        if (knocked || (!line_.connected() && line_.doorFd() < 0)) admitPanel(after);
    }
    if (stream_) log_.line(now(), "stream: " + std::to_string(streamBytes_) + " bytes queued");
}

int SimLoop::pollTimeout(Millis now) const {
    std::optional<Millis> next = model_.phaseEnd();
    const auto consider = [&next](std::optional<Millis> due) {
        if (due && (!next || *due < *next)) next = due;
    };
    consider(replies_.nextDue());
    const bool connected = line_.connected();
    if (connected && noise_) consider(noise_->nextDue());
    if (connected && stream_) consider(stream_->nextDue());

    Millis wait = next ? std::max<Millis>(*next - now, 0) : -1;
    const int lookAgain = line_.lookAgainMs();
    if (!connected && line_.doorFd() < 0 && (wait < 0 || wait > lookAgain)) wait = lookAgain;
    return static_cast<int>(std::min<Millis>(wait, 60 * 1000));
}

void SimLoop::queueDue(Millis now) {
    const bool connected = line_.connected();
    for (const ReplyPiece& piece : replies_.takeDue(now)) {
        if (!connected) {
            log_.line(now, "not sent, line closed: " + byteText(piece.bytes));
            continue;
        }
        std::string text = "tx " + byteText(piece.bytes);
        if (piece.count > 1) {
            text +=
                "  (piece " + std::to_string(piece.index) + "/" + std::to_string(piece.count) + ")";
        }
        log_.line(now, text);
        output_ += piece.bytes;
    }
    if (!connected) return;
    if (noise_) {
        const std::string bytes = noise_->takeDue(now);
        if (!bytes.empty()) {
            log_.line(now, "noise " + byteText(bytes));
            queueUnsolicited(bytes);
        }
    }
    if (stream_ && !stream_->unpaced()) streamBytes_ += queueUnsolicited(stream_->takeDue(now));
}

std::size_t SimLoop::queueUnsolicited(const std::string& bytes) {
    const std::size_t room = output_.size() < kMaxUnsent ? kMaxUnsent - output_.size() : 0;
    const std::size_t taken = std::min(room, bytes.size());
    output_.append(bytes, 0, taken);
    return taken;
}

void SimLoop::writeOutput(Millis now) {
    while (line_.connected()) {
        // An unpaced stream is topped up until the line refuses more, so POLLOUT paces it.
        if (stream_ && stream_->unpaced() && output_.size() < kStreamChunk) {
            streamBytes_ += queueUnsolicited(stream_->next(kStreamChunk));
        }
        if (output_.empty()) return;
        const ssize_t written = ::write(line_.peerFd(), output_.data(), output_.size());
        if (written > 0) {
            output_.erase(0, static_cast<std::size_t>(written));
        } else if (written < 0 && errno == EINTR) {
            continue;
        } else if (written < 0 && errno == EAGAIN) {
            return;  // the panel is not reading; POLLOUT says when there is room again
        } else {
            hangUp(now);
        }
    }
}

void SimLoop::readInput(Millis now, bool hungUp) {
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(line_.peerFd(), buffer, sizeof buffer);
        if (count > 0) {
            answerFrames(std::string_view(buffer, static_cast<std::size_t>(count)), now);
            if (!line_.connected()) return;  // dropped after a frame
            continue;
        }
        if (count < 0 && errno == EINTR) continue;
        if (count < 0 && errno == EAGAIN && !hungUp) return;
        // A terminal's panel may close and open its port again between the poll that saw it go
        // and this read: then it is back, and what it sent since is answered, not thrown away.
        if (count < 0 && errno == EAGAIN && !stillHungUp()) return;
        // End of file, or an error such as EIO (the last holder of a pseudo-terminal's slave has
        // closed it) or ECONNRESET: the panel has gone.
        hangUp(now);
        return;
    }
}

bool SimLoop::stillHungUp() const {
    pollfd peer{line_.peerFd(), POLLIN, 0};
    return ::poll(&peer, 1, 0) < 0 || (peer.revents & POLLHUP) != 0;
}

void SimLoop::answerFrames(std::string_view bytes, Millis now) {
    for (const AssembledFrame& frame : assembler_.push(bytes)) {
        if (frame.skippedCount > 0) {
            log_.line(now, "rx skipped " + std::to_string(frame.skippedCount) +
                               " bytes before the frame: " + byteText(frame.skipped));
        }
        if (frame.code.empty()) {
            log_.line(now, "rx <CR> after fewer than three characters, not answered");
            continue;
        }
        const std::optional<CodeRow> row = findCode(frame.code);
        log_.line(now, "rx " + byteText(frame.code) + "<CR>  " +
                           (row ? std::string(row->meaning) : std::string("unknown code")));
        const PowerState before = model_.power();
        replies_.add(model_.answer(frame.code, now), now);
        if (model_.power() != before) log_.line(now, powerText(model_.power()));
        // The frame has taken effect; its reply and whatever followed it are lost with the
        // connection, as when a device server's link dies under a held button.
        if (dropAfter_ > 0 && ++framesOnConnection_ == dropAfter_) {
            log_.line(now, "dropping the connection after its frame " +
                               std::to_string(framesOnConnection_) + " (--drop-after)");
            hangUp(now);
            return;
        }
    }
}

void SimLoop::admitPanel(Millis now) {
    const bool before = line_.connected();
    line_.admit(now);
    if (before || !line_.connected()) return;
    // Noise and stream start afresh instead of bursting out what fell due while closed.
    if (noise_) noise_->restart(now);
    if (stream_) stream_->restart(now);
}

// The projector keeps its state; only what belonged to the panel's session goes.
void SimLoop::hangUp(Millis now) {
    output_.clear();
    replies_.clear();
    assembler_ = FrameAssembler();
    framesOnConnection_ = 0;
    line_.hangUp(now);
}

}  // namespace zoma::sim
