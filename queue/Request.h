// A request on the projector's line: the frames it sends, what answers them, and what came of it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zoma {

// What answers a frame.
enum class Answer {
    // ACK, or NAK for a refusal.
    Acknowledgement,
    // Characters up to a CR (or NAK alone for a refusal).
    ReadOut,
};

// A read-out query ("CR" and a digit) is answered by a reply up to CR; every other code by ACK
// or NAK.
Answer answerTo(std::string_view code);

struct Frame {
    // Three characters; the frame on the line is the code and CR.
    std::string code;
    Answer answer = Answer::Acknowledgement;
};

// A frame for the code, answered as answerTo() says.
Frame frameFor(std::string_view code);

enum class Priority {
    // A client's request or a user's command.
    Foreground,
    // The gateway's own polls: on the line only when nothing else waits and no held button's
    // frames keep arriving.
    Background,
};

enum class Outcome {
    Ok,         // every frame answered: ACK, or a read-out's reply up to its CR
    Refused,    // a NAK
    NoReply,    // the reply window ended before the answer was complete
    OverLong,   // more came than a reply can hold
    Failed,     // the line failed, or was not open
    QueueFull,  // refused before its turn: too many requests were waiting
};

std::string_view outcomeName(Outcome outcome);  // "ok", "refused", "no reply", ...

struct RequestResult {
    Outcome outcome = Outcome::NoReply;
    // What came back for each frame answered or waited for, in order: a read-out's characters
    // without their CR, an ACK or NAK, or whatever came before the window ended.
    std::vector<std::string> replies;
    // Every byte received while the request was on the line, as it came (at most the reply
    // limit): what a raw client is given back.
    std::string received;
    int framesSent = 0;
};

struct Request {
    // Sent one after another, each once the one before has its answer; the first NAK or silence
    // ends the request.
    std::vector<Frame> frames;
    // A held button: its one frame sent `repeat` times, every `periodMs`, whatever comes back in
    // between, as the panel sends it while the button is held; the request ends when every
    // frame has its answer or one reply window after the last frame.
    int repeat = 1;
    int periodMs = 0;
    Priority priority = Priority::Foreground;
    // Called once with the result, when the request has ended (or was refused or failed at once,
    // before submit() returns).
    std::function<void(const RequestResult&)> onDone;
    // Called as its first frame goes out.
    std::function<void()> onStarted;
};

}  // namespace zoma
