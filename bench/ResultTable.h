// The one table the benchmarks print: figure, measured value, target and whether it was met.
#pragma once

#include <string>
#include <vector>

namespace zoma::bench {

enum class Verdict { Met, Missed, Info, Failed };

struct ResultRow {
    std::string figure;
    std::string measured;
    std::string target;
    Verdict verdict;
};

class ResultTable {
  public:
    void add(std::string figure, std::string measured, std::string target, bool met);
    // A figure reported for information, with no target of its own.
    void info(std::string figure, std::string measured, std::string note = "-");
    // A figure that could not be measured, with the reason.
    void failed(std::string figure, std::string reason);

    const std::vector<ResultRow>& rows() const { return rows_; }
    std::string render() const;

  private:
    std::vector<ResultRow> rows_;
};

// printf-style formatting into a std::string.
std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

}  // namespace zoma::bench
