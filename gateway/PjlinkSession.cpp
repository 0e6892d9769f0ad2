// A PJLink connection's lines, from greeting to close, on the gateway's queue and timers.
#include "gateway/PjlinkSession.h"

#include <utility>

#include "gateway/Md5.h"

namespace zoma::gateway {

namespace {

// 32 bits of the secure source, as PJLink 1.00's eight hexadecimal characters.
constexpr std::size_t kRandomBytes = 4;

std::string hexText(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += kHex[byte >> 4];
        text += kHex[byte & 0xf];
    }
    return text;
}

char lowerCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

PjlinkSession::PjlinkSession(Gateway& gateway, Connection& connection, std::string who)
    : gateway_(gateway),
      connection_(connection),
      who_("pjlink " + std::move(who)),
      answerTimer_(gateway.timers().createTimer()),
      idleTimer_(gateway.timers().createTimer()) {
    answerTimer_->setInterval(kAnswerTimeMs);
    answerTimer_->onTick = [this] { answerTimeEnded(); };
    idleTimer_->setInterval(kIdleCloseMs);
    idleTimer_->onTick = [this] {
        idleTimer_->setEnabled(false);
        // A command on the line is not idleness; its answer restarts the count.
        if (busy_) {
            restartIdle();
            return;
        }
        close("no command for " + std::to_string(kIdleCloseMs / 1000) + " s");
    };
}

PjlinkSession::~PjlinkSession() {
    answerTimer_->setEnabled(false);
    idleTimer_->setEnabled(false);
    if (requestPending_ && !requestStarted_) gateway_.cancel(RequestSource::Pjlink, requestId_);
    if (!closed_) gateway_.log(who_ + ": connection ended");
}

void PjlinkSession::start() {
    gateway_.log(who_ + ": connected");
    std::optional<std::string> random;
    const std::string& password = gateway_.settings().password;
    if (!password.empty()) {
        const std::string bytes = gateway_.randomBytes(kRandomBytes);
        if (bytes.size() != kRandomBytes) {
            // A guessable challenge would let a recorded digest in again: refuse instead.
            close("no secure random number for the greeting");
            return;
        }
        random = hexText(bytes);
        digest_ = md5Hex(*random + password);
    } else {
        authenticated_ = true;
    }
    connection_.send(greetingLine(random));
    restartIdle();
}

std::size_t PjlinkSession::bufferedBytes() const {
    std::size_t bytes = partial_.size();
    for (const std::string& line : waiting_) bytes += line.size();
    return bytes;
}

void PjlinkSession::receive(std::string_view bytes) {
    for (char c : bytes) {
        if (closed_) return;
        if (c == '\r') {
            lineEnded();
        } else if (partial_.size() < kMaxKeptLine) {
            partial_ += c;
        }
    }
}

void PjlinkSession::lineEnded() {
    std::string line = std::move(partial_);
    partial_.clear();
    line.erase(0, line.find_first_not_of('\n'));
    if (line.empty()) return;
    restartIdle();
    if (!authenticated_) {
        authenticate(line);
        return;
    }
    if (waiting_.size() >= kMaxWaitingLines) {
        note(droppedLines_, "more than " + std::to_string(kMaxWaitingLines) +
                                " lines ahead of their answers: dropped");
        return;
    }
    waiting_.push_back(std::move(line));
    pump();
}

bool PjlinkSession::isDigest(std::string_view text) const {
    if (digest_.empty() || text.size() != digest_.size()) return false;
    // Every character compared, whatever the first difference: the time taken tells nothing.
    unsigned char difference = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        difference |= static_cast<unsigned char>(lowerCase(text[i]) ^ digest_[i]);
    }
    return difference == 0;
}

void PjlinkSession::authenticate(const std::string& line) {
    if (line.size() < kDigestLength || !isDigest(std::string_view(line).substr(0, kDigestLength))) {
        connection_.send(std::string(kAuthenticationErrorLine));
        close(line.size() < kDigestLength || line[0] == '%' ? "no password digest: PJLINK ERRA"
                                                            : "wrong password digest: PJLINK ERRA");
        return;
    }
    authenticated_ = true;
    gateway_.log(who_ + ": authenticated");
    std::string command = line.substr(kDigestLength);
    if (!command.empty()) {
        waiting_.push_back(std::move(command));
        pump();
    }
}

void PjlinkSession::pump() {
    // A command answered at once, or failed at once by the queue, comes back here: the loop
    // below takes the next line instead.
    if (pumping_) return;
    pumping_ = true;
    while (!busy_ && !closed_ && !waiting_.empty()) {
        std::string line = std::move(waiting_.front());
        waiting_.pop_front();
        begin(line);
    }
    pumping_ = false;
}

void PjlinkSession::begin(const std::string& line) {
    std::string_view text = line;
    if (text.size() > kDigestLength && isDigest(text.substr(0, kDigestLength))) {
        text.remove_prefix(kDigestLength);
    }
    if (text.size() >= kMaxLineLength) {
        note(cutLines_, "a line longer than " + std::to_string(kMaxLineLength) +
                            " characters with its CR: ERR2 when it names a command");
    }
    const std::optional<PjlinkCommand> command = parsePjlinkCommand(text);
    if (!command) {
        note(unanswerableLines_, "a line that is no command line: dropped");
        return;
    }
    busy_ = true;
    command_ = *command;
    plan_ = planCommand(command_, gateway_.identity(), gateway_.memory());
    if (plan_.answer) {
        respond(plan_.answerNeedsLine && !gateway_.lineOpen() ? kProjectorFailure : *plan_.answer);
        return;
    }
    readDone_ = false;
    answerTimer_->setEnabled(true);
    submit(plan_.reads, false);
}

void PjlinkSession::submit(const std::vector<std::string>& codes, bool ahead) {
    Request request;
    for (const std::string& code : codes) request.frames.push_back(frameFor(code));
    const std::weak_ptr<bool> alive = alive_;
    request.onStarted = [this, alive] {
        if (!alive.expired()) requestStarted_ = true;
    };
    request.onDone = [this, alive](const RequestResult& result) {
        if (!alive.expired()) requestEnded(result);
    };
    requestPending_ = true;
    requestStarted_ = false;
    // The queue may end the request before submit() returns (the line is down).
    const RequestQueue::Id id =
        gateway_.submit(RequestSource::Pjlink, who_, std::move(request), ahead);
    if (requestPending_) requestId_ = id;
}

void PjlinkSession::requestEnded(const RequestResult& result) {
    requestPending_ = false;
    if (closed_ || !busy_) return;
    if (result.outcome != Outcome::Ok) {
        respond(failureAnswer(result.outcome));
        return;
    }
    if (readDone_) {
        respond(kOk);  // the set's frames, every one acknowledged
        return;
    }
    readDone_ = true;
    if (plan_.setCodes.empty()) {
        respond(plan_.readAnswer(result.replies, gateway_.memory()));
        return;
    }
    if (const std::optional<std::string_view> refusal = setRefusal(plan_, result.replies.at(0))) {
        respond(*refusal);
        return;
    }
    // The frames follow the read at once, so the state they were judged on still holds.
    submit(plan_.setCodes, true);
}

void PjlinkSession::answerTimeEnded() {
    answerTimer_->setEnabled(false);
    // A request on the line is answered when it ends, within its reply windows.
    if (!busy_ || !requestPending_ || requestStarted_) return;
    gateway_.cancel(RequestSource::Pjlink, requestId_);
    requestPending_ = false;
    respond(kUnavailableTime);
}

void PjlinkSession::respond(std::string_view parameter) {
    answerTimer_->setEnabled(false);
    busy_ = false;
    const std::string line = responseLine(command_, parameter);
    if (gateway_.settings().verbose) {
        gateway_.log(who_ + ": %" + command_.classDigit + command_.body + ' ' + command_.parameter +
                     " -> " + std::string(parameter));
    }
    connection_.send(line);
    restartIdle();
    pump();
}

void PjlinkSession::restartIdle() {
    idleTimer_->setEnabled(true);
}

void PjlinkSession::close(const std::string& why) {
    if (closed_) return;
    closed_ = true;
    answerTimer_->setEnabled(false);
    idleTimer_->setEnabled(false);
    if (requestPending_ && !requestStarted_) {
        gateway_.cancel(RequestSource::Pjlink, requestId_);
        requestPending_ = false;
    }
    waiting_.clear();
    partial_.clear();
    std::string line = who_ + ": closed, " + why;
    if (cutLines_ + droppedLines_ + unanswerableLines_ > 0) {
        line += " (lines too long " + std::to_string(cutLines_) + ", dropped " +
                std::to_string(droppedLines_) + ", no command line " +
                std::to_string(unanswerableLines_) + ")";
    }
    gateway_.log(line);
    connection_.close();
}

void PjlinkSession::note(std::uint64_t& count, const std::string& first) {
    if (count++ == 0) gateway_.log(who_ + ": " + first);
}

}  // namespace zoma::gateway
