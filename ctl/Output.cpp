// One line per result: its words, with the command's name when the run prints several.
#include "ctl/Output.h"

#include "ctl/Json.h"

namespace zoma::ctl {

std::string resultLine(const Result& result, OutputForm form) {
    switch (form) {
        case OutputForm::Json:
            return resultJson(result);
        case OutputForm::NamedWords:
            return result.command + ": " + result.words;
        case OutputForm::Words:
            break;
    }
    return result.words;
}

}  // namespace zoma::ctl
