// Plain-text table with columns as wide as their longest cell.
#include "ResultTable.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace zoma::bench {

void ResultTable::add(std::string figure, std::string measured, std::string target, bool met) {
    rows_.push_back({std::move(figure), std::move(measured), std::move(target),
                     met ? Verdict::Met : Verdict::Missed});
}

void ResultTable::info(std::string figure, std::string measured, std::string note) {
    rows_.push_back({std::move(figure), std::move(measured), std::move(note), Verdict::Info});
}

void ResultTable::failed(std::string figure, std::string reason) {
    rows_.push_back({std::move(figure), std::move(reason), "-", Verdict::Failed});
}

std::string ResultTable::render() const {
    static const char* const kVerdicts[] = {"yes", "NO", "-", "FAILED"};
    const std::string headings[] = {"figure", "measured", "target", "met?"};
    std::size_t width[3] = {headings[0].size(), headings[1].size(), headings[2].size()};
    for (const ResultRow& row : rows_) {
        width[0] = std::max(width[0], row.figure.size());
        width[1] = std::max(width[1], row.measured.size());
        width[2] = std::max(width[2], row.target.size());
    }
    const auto line = [&](const std::string& a, const std::string& b, const std::string& c,
                          const std::string& d) {
        return format("%-*s  %-*s  %-*s  %s\n", static_cast<int>(width[0]), a.c_str(),
                      static_cast<int>(width[1]), b.c_str(), static_cast<int>(width[2]), c.c_str(),
                      d.c_str());
    };
    std::string text = line(headings[0], headings[1], headings[2], headings[3]);
    text += line(std::string(width[0], '-'), std::string(width[1], '-'), std::string(width[2], '-'),
                 "----");
    for (const ResultRow& row : rows_) {
        text +=
            line(row.figure, row.measured, row.target, kVerdicts[static_cast<int>(row.verdict)]);
    }
    return text;
}

std::string format(const char* pattern, ...) {
    char buffer[512];
    va_list args;
    va_start(args, pattern);
    std::vsnprintf(buffer, sizeof buffer, pattern, args);
    va_end(args);
    return buffer;
}

}  // namespace zoma::bench
