// The answer each code gets, and the outcomes' names.
#include "queue/Request.h"

namespace zoma {

Answer answerTo(std::string_view code) {
    return code.size() == 3 && code.substr(0, 2) == "CR" ? Answer::ReadOut
                                                         : Answer::Acknowledgement;
}

Frame frameFor(std::string_view code) {
    return {std::string(code), answerTo(code)};
}

std::string_view outcomeName(Outcome outcome) {
    switch (outcome) {
        case Outcome::Ok:
            return "ok";
        case Outcome::Refused:
            return "refused";
        case Outcome::NoReply:
            return "no reply";
        case Outcome::OverLong:
            return "over-long reply";
        case Outcome::Failed:
            return "failed";
        case Outcome::QueueFull:
            return "queue full";
    }
    return "?";
}

}  // namespace zoma
