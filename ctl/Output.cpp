// One line per result: its words, with the command's name when the run prints several.
#include "ctl/Output.h"

#include <string_view>

#include "ctl/Json.h"
#include "replies/ProjectorValues.h"

namespace zoma::ctl {

namespace {

// What kept a command from its answer, in the same words with or without --value.
constexpr std::string_view kFailureWords[] = {"no reply", "refused", "over-long reply", "not sent"};

// A read-out's value, or what kept it from having one; an operation's words.
std::string valueOrWords(const Result& result) {
    if (result.value) return valueText(*result.value);
    if (!result.readOut) return result.words;
    for (std::string_view failure : kFailureWords) {
        if (result.words == failure) return result.words;
    }
    // Answered, but with nothing that holds a value: its words would read like one.
    return "no value";
}

}  // namespace

OutputForm outputForm(bool json, bool value, std::size_t results) {
    if (json) return OutputForm::Json;
    if (value) return results > 1 ? OutputForm::NamedValue : OutputForm::Value;
    return results > 1 ? OutputForm::NamedWords : OutputForm::Words;
}

std::string resultLine(const Result& result, OutputForm form) {
    switch (form) {
        case OutputForm::Json:
            return resultJson(result);
        case OutputForm::NamedWords:
            return result.command + ": " + result.words;
        case OutputForm::Value:
            return valueOrWords(result);
        case OutputForm::NamedValue:
            return result.command + ": " + valueOrWords(result);
        case OutputForm::Words:
            break;
    }
    return result.words;
}

}  // namespace zoma::ctl
