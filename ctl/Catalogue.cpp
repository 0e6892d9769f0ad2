// Looks command names up in the panel's own tables, so every code is written down only there.
#include "ctl/Catalogue.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "commands/CommandTables.h"
#include "form/ControlNames.h"
#include "form/ControlTable.h"

namespace zoma::ctl {

namespace {

constexpr std::string_view kReadAll = "read-all";
constexpr std::size_t kListNameWidth = 18;

template <typename Row>
const Row* rowNamed(TableRows<Row> rows, std::string_view name) {
    for (const Row& row : rows) {
        if (row.name == name) return &row;
    }
    return nullptr;
}

// The one-shot buttons, whose codes and names stand in the control table.
std::vector<const ControlRow*> oneShotButtons() {
    std::vector<const ControlRow*> rows;
    for (const ControlRow& row : form1Controls()) {
        if (row.behaviour.handler == Handler::Send) rows.push_back(&row);
    }
    return rows;
}

const ControlRow* oneShotNamed(std::string_view name) {
    for (const ControlRow* row : oneShotButtons()) {
        if (row->behaviour.command == name) return row;
    }
    return nullptr;
}

// The read-outs in the order of their queries: status, mode, lamp-time, setting, temp.
std::vector<const ControlRow*> readOuts() {
    std::vector<const ControlRow*> rows;
    for (const ControlRow* row : oneShotButtons()) {
        if (answerTo(row->behaviour.code) == Answer::ReadOut) rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end(), [](const ControlRow* a, const ControlRow* b) {
        return a->behaviour.code < b->behaviour.code;
    });
    return rows;
}

bool isReadOutCode(std::string_view code) {
    return answerTo(code) == Answer::ReadOut;
}

// The arrow pad has no period of its own: the panel repeats it at the repeat timer's design
// period until a mode button sets another, which zoma-ctl never does.
int repeatPeriod(const HeldButton& held) {
    return held.arrowPad ? kRepeatDesignInterval : held.repeatInterval;
}

// One-shot and mode rows both send their code once; a mode's pace means nothing here.
bool findSingleFrame(std::string_view name, Step& step) {
    if (const ControlRow* row = oneShotNamed(name)) {
        step.code = std::string(row->behaviour.code);
    } else if (const ModeButton* mode = rowNamed(modeButtons(), name)) {
        step.code = std::string(mode->code);
    } else if (isRawCode(name)) {
        step.code = std::string(name);
    } else {
        return false;
    }
    step.answer = answerTo(step.code);
    return true;
}

std::string notHeld(const std::string& word) {
    return "--repeat goes with held buttons only, not with '" + word + "'";
}

// The operator's words for a control of the panel: "POWER ON", "Arrow pad left".
std::string panelName(std::string_view control) {
    const ControlRow* row = form1Controls().find(control);
    return row != nullptr ? accessibleName(*row) : std::string(control);
}

void addListLine(std::string& out, std::string_view name, std::string_view code,
                 const std::string& what) {
    std::string line = "  " + std::string(name);
    line.resize(std::max(line.size() + 1, kListNameWidth + 2), ' ');
    std::string codeColumn(code);
    codeColumn.resize(3, ' ');
    line += codeColumn + "  " + what + "\n";
    out += line;
}

}  // namespace

bool isRawCode(std::string_view word) {
    auto isUpperHex = [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) || (c >= 'A' && c <= 'F');
    };
    if (word.size() != 3 || word[0] != 'C') return false;
    if (word[1] == 'R') return std::isdigit(static_cast<unsigned char>(word[2])) != 0;
    return isUpperHex(word[1]) && isUpperHex(word[2]);
}

Plan planSteps(const std::vector<std::string>& words, int repeat) {
    Plan plan;
    for (const std::string& word : words) {
        Step step;
        step.command = word;
        if (const HeldButton* held = rowNamed(heldButtons(), word)) {
            step.code = std::string(held->code);
            step.frames = repeat > 0 ? repeat : 1;
            step.periodMs = repeatPeriod(*held);
            plan.steps.push_back(step);
            continue;
        }
        if (word == kReadAll) {
            if (repeat > 0) return {{}, notHeld(word)};
            for (const ControlRow* row : readOuts()) {
                plan.steps.push_back({std::string(row->behaviour.command),
                                      std::string(row->behaviour.code), Answer::ReadOut, 1, 0});
            }
            continue;
        }
        if (!findSingleFrame(word, step)) {
            return {{}, "unknown command '" + word + "' (zoma-ctl --list shows every command)"};
        }
        if (repeat > 0) return {{}, notHeld(word)};
        plan.steps.push_back(step);
    }
    if (plan.steps.empty()) plan.error = "no command given (zoma-ctl --list shows every command)";
    return plan;
}

std::string commandList() {
    std::string out = "Commands: each sends its code and CR and waits for ACK.\n";
    for (const ControlRow* row : oneShotButtons()) {
        if (!isReadOutCode(row->behaviour.code)) {
            addListLine(out, row->behaviour.command, row->behaviour.code, accessibleName(*row));
        }
    }
    for (const ModeButton& row : modeButtons()) {
        addListLine(out, row.name, row.code, panelName(row.control));
    }
    out += "Held buttons: one frame; with --repeat N, N frames at the button's pace.\n";
    for (const HeldButton& row : heldButtons()) {
        addListLine(
            out, row.name, row.code,
            panelName(row.control) + ", every " + std::to_string(repeatPeriod(row)) + " ms");
    }
    out += "Read-outs: print the reply in the words of the panel's status line.\n";
    for (const ControlRow* row : readOuts()) {
        addListLine(out, row->behaviour.command, row->behaviour.code, accessibleName(*row));
    }
    addListLine(out, kReadAll, "", "the five read-outs in turn");
    out +=
        "A raw code is sent as it is: \"C\" and two upper-case hexadecimal digits (C1E), or\n"
        "\"CR\" and a digit (CR0), which is read out.\n";
    return out;
}

}  // namespace zoma::ctl
