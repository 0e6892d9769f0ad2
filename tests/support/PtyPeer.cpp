// Waits on the master; reads are stamped at once, the flood written in between.
#include "support/PtyPeer.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "support/MonotonicClock.h"

namespace zoma::testing {

namespace {
constexpr std::size_t kChunk = 4096;
}  // namespace

PtyPeer::PtyPeer() {
    if (!line_.ok()) return;
    thread_.start([this](PollThread::Round& round) { prepare(round); },
                  [this](const PollThread::Round& round, std::int64_t now) { handle(round, now); });
}

PtyPeer::~PtyPeer() {
    thread_.stop();
}

void PtyPeer::setFlood(double bytesPerSecond) {
    floodRate_ = bytesPerSecond;
    thread_.wake();
}

void PtyPeer::readAvailable(std::int64_t now) {
    std::string bytes;
    line_.readAvailable(bytes);
    stamps_.add(bytes, now);
    if (answering_) answer(bytes);
}

void PtyPeer::answer(const std::string& bytes) {
    struct Reply {
        const char* code;
        const char* reply;
    };
    static constexpr Reply kReplies[] = {{"CR0", "80\r"},
                                         {"CR1", "0\r"},
                                         {"CR3", "0123\r"},
                                         {"CR4", "11\r"},
                                         {"CR6", "+38.5 +45.0 +41.0\r"}};
    for (const char c : bytes) {
        if (c != '\r') {
            partialFrame_ += c;
            continue;
        }
        const std::string code = partialFrame_.size() >= 3
                                     ? partialFrame_.substr(partialFrame_.size() - 3)
                                     : partialFrame_;
        partialFrame_.clear();
        std::string reply(1, '\x06');
        for (const Reply& row : kReplies) {
            if (code == row.code) reply = row.reply;
        }
        line_.write(reply);
    }
}

void PtyPeer::writeFlood(std::int64_t now) {
    const double rate = floodRate_.load();
    if (rate == 0) return;
    if (rate != floodStartRate_) {
        floodStartRate_ = rate;
        floodStartNs_ = now;
        floodSinceStart_ = 0;
    }
    std::size_t due = kChunk;
    if (rate > 0) {
        const auto owed = static_cast<std::uint64_t>(rate * nsToMs(now - floodStartNs_) / 1000.0);
        due = static_cast<std::size_t>(
            std::min<std::uint64_t>(kChunk, owed > floodSinceStart_ ? owed - floodSinceStart_ : 0));
    }
    if (due == 0) return;
    unsigned char chunk[kChunk];
    for (std::size_t i = 0; i < due; ++i) chunk[i] = static_cast<unsigned char>(nextByte_ + i);
    const ssize_t n = ::write(line_.masterFd(), chunk, due);
    if (n > 0) {
        nextByte_ = static_cast<unsigned char>(nextByte_ + n);
        floodSinceStart_ += static_cast<std::uint64_t>(n);
        flooded_ += static_cast<std::uint64_t>(n);
    }
}

void PtyPeer::prepare(PollThread::Round& round) {
    const double rate = floodRate_.load();
    short events = POLLIN;
    if (rate < 0) events |= POLLOUT;
    round.watch(line_.masterFd(), events);
    // A paced flood is topped up every millisecond; otherwise sleep until something happens.
    round.timeoutMs = rate > 0 ? 1 : -1;
}

void PtyPeer::handle(const PollThread::Round& round, std::int64_t now) {
    const short master = round.fds[0].revents;
    if (master & POLLIN) readAvailable(now);
    if (master & POLLHUP) {
        // No one has the slave open (before the panel opens it, between its close and
        // reopen): the master reports a hang-up until then, so wait instead of spinning.
        usleep(1000);
        return;
    }
    writeFlood(now);
}

}  // namespace zoma::testing
