// Reads a reply as the panel does: ACK and NAK for operations, the status decoding for read-outs.
#include "ctl/Verdict.h"

#include <algorithm>

#include "replies/MonitorText.h"
#include "replies/ProjectorValues.h"
#include "replies/StatusDecoding.h"

namespace zoma::ctl {

namespace {

constexpr char kAck = 6;
constexpr char kNak = 21;
constexpr char kCr = 13;

// A read-out's reply runs to its first CR; whatever follows answers nothing that was asked.
std::string_view readOutReply(std::string_view received) {
    const std::size_t cr = received.find(kCr);
    return cr == std::string_view::npos ? received : received.substr(0, cr + 1);
}

bool refusedAtOnce(std::string_view reply) {
    return !reply.empty() && reply.front() == kNak;
}

// The panel's trace of the characters, for a reply that says nothing known: " 9 9 CR".
std::string trace(std::string_view reply) {
    std::string text = monitorText(reply);
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::string framesNote(int count, int frames) {
    if (frames <= 1) return {};
    return " (" + std::to_string(count) + " of " + std::to_string(frames) + " frames)";
}

Result readOutVerdict(const Step& step, std::string_view received) {
    const std::string_view reply = readOutReply(received);
    Result result{step.command, step.code, std::string(reply), {}, std::nullopt, false, true};
    const bool complete = !reply.empty() && reply.back() == kCr;
    if (complete) result.reply.pop_back();
    // Only a whole reply, up to its CR, holds a value.
    if (complete) result.value = decodeValue(step.code, result.reply);
    result.ok = result.value.has_value();
    if (reply.empty()) {
        result.words = "no reply";
    } else if (refusedAtOnce(reply)) {
        result.words = "refused";
    } else if (const auto words = decodeStatus(step.code + kCr, monitorText(reply))) {
        // The status line's words start with blanks that only place them on the panel.
        result.words = words->substr(std::min(words->find_first_not_of(' '), words->size()));
    } else {
        result.words = "undecoded reply:" + trace(reply);
    }
    return result;
}

Result acknowledgementVerdict(const Step& step, std::string_view received) {
    Result result{step.command, step.code, std::string(received), {}, std::nullopt, false, false};
    const int acks = static_cast<int>(std::count(received.begin(), received.end(), kAck));
    const int naks = static_cast<int>(std::count(received.begin(), received.end(), kNak));
    const int missing = std::max(0, step.frames - acks - naks);
    if (naks > 0) {
        result.words = "refused" + framesNote(naks, step.frames);
    } else if (missing > 0 && acks == 0 && !received.empty()) {
        result.words = "unexpected reply:" + trace(received);
    } else if (missing > 0) {
        result.words = "no reply" + framesNote(missing, step.frames);
    } else {
        result.words = "ok";
        result.ok = true;
    }
    return result;
}

}  // namespace

Result verdict(const Step& step, std::string_view received, bool overLong) {
    const bool readOut = step.answer == Answer::ReadOut;
    if (overLong) {
        return {step.command, step.code, std::string(received), "over-long reply", std::nullopt,
                false,        readOut};
    }
    return readOut ? readOutVerdict(step, received) : acknowledgementVerdict(step, received);
}

Result verdict(const Step& step, const RequestResult& request) {
    if (request.framesSent == 0) {
        return {step.command,
                step.code,
                {},
                "not sent",
                std::nullopt,
                false,
                step.answer == Answer::ReadOut};
    }
    return verdict(step, request.received, request.outcome == Outcome::OverLong);
}

}  // namespace zoma::ctl
