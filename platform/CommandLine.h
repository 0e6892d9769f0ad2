// One command-line parser for every program: each program lists its options as a table of rows,
// and one piece of code reads the arguments, words the faults and lays out the options' help.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zoma {

// How an option is written.
enum class OptionKind : unsigned char {
    // Stands alone ("--json"); "--json=yes" is a fault.
    Flag,
    // Takes the next argument as its value, whatever it starts with ("--port COM2"), or the
    // text after '=' ("--port=COM2").
    Value,
    // Another reader's options (Qt's own, which every Qt program takes): named with one dash or
    // two, kept as written for that reader, and never a fault once named.
    PassOnFlag,
    PassOnValue,
};

template <typename Options>
struct OptionRow {
    // As written on the command line: "--port", "-h", or "-platform" for a pass-on option.
    std::string_view name;
    OptionKind kind;
    // What the value stands for in the help ("PORT"); empty for a flag.
    std::string_view valueName = {};
    // Takes the value ("" for a flag) into the options; false when the value is bad. Null for
    // pass-on options that set nothing.
    bool (*apply)(Options& options, const std::string& value) = nullptr;
    // The help beside the name, each printed line a source line ending in '\n'. A row without
    // help is left out of the help: a short alias, the pass-on options.
    std::string_view help = {};
};

// Whether a program takes arguments that are no options (zoma-ctl's commands).
enum class Positional : bool { Refused, Kept };

// What a command line holds beside what the rows take into the program's options.
struct CommandLine {
    // With Positional::Kept, in the order given; options may stand between them.
    std::vector<std::string> positional;
    // The pass-on options as written, each followed by its value where that was a word of its
    // own.
    std::vector<std::string> passedOn;
    // The first fault, worded the same for every program; empty when the line is good.
    std::string error;
};

// The pieces of parseCommandLine. The scan knows no program's types, so it stays out of the
// template: it sees each row's name and kind, and gives back the rows named with their values.
struct OptionSyntax {
    std::string_view name;
    OptionKind kind;
};

// A row named on the command line, with its value; `name` as written ("--platform" for
// "-platform").
struct OptionUse {
    std::size_t row;
    std::string name;
    std::string value;
};

struct ScannedCommandLine {
    CommandLine line;
    // In the order given, up to the first fault.
    std::vector<OptionUse> uses;
};

// Reads the arguments after the program's name against the rows' names and kinds, up to the
// first fault.
ScannedCommandLine scanCommandLine(const OptionSyntax* rows, std::size_t rowCount,
                                   const std::vector<std::string>& arguments,
                                   Positional positional);

// The wording of a value a row refuses.
std::string badValueText(std::string_view name, std::string_view value);

// Reads the arguments after the program's name into `options`, each row's apply in the order
// given, so a later option wins over an earlier one. The first fault ends the reading; the
// options keep what came before it.
template <typename Options, std::size_t N>
CommandLine parseCommandLine(const OptionRow<Options> (&rows)[N],
                             const std::vector<std::string>& arguments, Options& options,
                             Positional positional = Positional::Refused) {
    OptionSyntax syntax[N];
    for (std::size_t i = 0; i < N; ++i) syntax[i] = {rows[i].name, rows[i].kind};
    ScannedCommandLine scanned = scanCommandLine(syntax, N, arguments, positional);
    for (const OptionUse& use : scanned.uses) {
        const OptionRow<Options>& row = rows[use.row];
        if (row.apply != nullptr && !row.apply(options, use.value)) {
            // Before the scan's own fault, if any: that stands later on the line.
            scanned.line.error = badValueText(use.name, use.value);
            break;
        }
    }
    return std::move(scanned.line);
}

// One row's lines of help: "  --port PORT", blanks up to `column`, the first line of its help,
// and the further lines indented to `column`. Empty for a row without help.
std::string optionHelpLines(std::string_view name, std::string_view valueName,
                            std::string_view help, std::size_t column);

template <typename Options, std::size_t N>
std::string optionHelp(const OptionRow<Options> (&rows)[N], std::size_t column) {
    std::string text;
    for (const OptionRow<Options>& row : rows) {
        text += optionHelpLines(row.name, row.valueName, row.help, column);
    }
    return text;
}

// A count or a duration as plain decimal digits: no sign, no blanks (strtol would skip leading
// ones), no hex. Nothing when the text is not that or the number is outside min..max.
std::optional<long long> parseDecimal(std::string_view text, long long min, long long max);

// The apply of a flag that sets one bool field: setFlag<&CtlOptions::json>.
template <typename Member>
struct MemberOf;
template <typename Options, typename Field>
struct MemberOf<Field Options::*> {
    using Class = Options;
};
template <auto field>
bool setFlag(typename MemberOf<decltype(field)>::Class& options, const std::string&) {
    options.*field = true;
    return true;
}

// The apply of an option that takes any text but an empty one into a string field.
template <auto field>
bool setText(typename MemberOf<decltype(field)>::Class& options, const std::string& value) {
    options.*field = value;
    return !value.empty();
}

// The apply of a line speed: 19200 or 9600 baud, the two the projector offers.
template <auto field>
bool setLineSpeed(typename MemberOf<decltype(field)>::Class& options, const std::string& value) {
    if (value != "19200" && value != "9600") return false;
    options.*field = value == "19200" ? 19200 : 9600;
    return true;
}

}  // namespace zoma
