// Scanning a command line against a program's option rows, and the one wording of its faults.
#include "platform/CommandLine.h"

#include <algorithm>

namespace zoma {

namespace {

bool passesOn(OptionKind kind) {
    return kind == OptionKind::PassOnFlag || kind == OptionKind::PassOnValue;
}

// The row of that name. Qt reads its options with one dash or two, so "--platform" also names
// the pass-on row "-platform"; a program's own rows are named one way only.
const OptionSyntax* findRow(const OptionSyntax* rows, std::size_t rowCount, std::string_view name) {
    for (std::size_t i = 0; i < rowCount; ++i) {
        if (rows[i].name == name) return &rows[i];
    }
    if (name.rfind("--", 0) != 0) return nullptr;
    name.remove_prefix(1);
    for (std::size_t i = 0; i < rowCount; ++i) {
        if (passesOn(rows[i].kind) && rows[i].name == name) return &rows[i];
    }
    return nullptr;
}

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

}  // namespace

ScannedCommandLine scanCommandLine(const OptionSyntax* rows, std::size_t rowCount,
                                   const std::vector<std::string>& arguments,
                                   Positional positional) {
    ScannedCommandLine scanned;
    CommandLine& line = scanned.line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        // "-" alone is a name for standard input or output by custom, not an option.
        if (argument.rfind('-', 0) != 0 || argument == "-") {
            if (positional == Positional::Refused) {
                line.error = "unexpected argument " + quoted(argument);
                break;
            }
            line.positional.push_back(argument);
            continue;
        }
        const std::size_t equals = argument.find('=');
        const bool valueAfterEquals = equals != std::string::npos;
        std::string name = argument.substr(0, equals);
        const OptionSyntax* row = findRow(rows, rowCount, name);
        if (row == nullptr) {
            line.error = "unknown option " + quoted(name);
            break;
        }
        OptionUse use{static_cast<std::size_t>(row - rows), std::move(name), {}};
        if (row->kind == OptionKind::Flag || row->kind == OptionKind::PassOnFlag) {
            // Qt is left to judge its own flags, "=..." and all.
            if (row->kind == OptionKind::Flag && valueAfterEquals) {
                line.error = "option " + use.name + " takes no value";
                break;
            }
        } else if (valueAfterEquals) {
            use.value = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
            use.value = arguments[++i];
        } else {
            line.error = "option " + use.name + " needs a value";
            break;
        }
        if (passesOn(row->kind)) {
            line.passedOn.push_back(argument);
            if (row->kind == OptionKind::PassOnValue && !valueAfterEquals) {
                line.passedOn.push_back(use.value);
            }
        }
        scanned.uses.push_back(std::move(use));
    }
    return scanned;
}

std::string badValueText(std::string_view name, std::string_view value) {
    return "bad value for " + std::string(name) + ": " + quoted(value);
}

std::string optionHelpLines(std::string_view name, std::string_view valueName,
                            std::string_view help, std::size_t column) {
    if (help.empty()) return {};
    std::string text = "  " + std::string(name);
    if (!valueName.empty()) text += " " + std::string(valueName);
    // A name as wide as the column still gets one blank before its help.
    text.resize(std::max(text.size() + 1, column), ' ');
    for (std::size_t start = 0; start < help.size();) {
        const std::size_t end = help.find('\n', start);
        if (start > 0) text += std::string(column, ' ');
        text += help.substr(start, end - start);
        text += '\n';
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return text;
}

std::optional<long long> parseDecimal(std::string_view text, long long min, long long max) {
    // Eighteen digits at most, leading zeros included: always within a long long, and more than
    // any count, duration or seed the programs take; the range says the rest.
    constexpr std::size_t kMaxDigits = 18;
    if (text.empty() || text.size() > kMaxDigits) return std::nullopt;
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < min || value > max) return std::nullopt;
    return value;
}

}  // namespace zoma
