// Writing log lines.
#include "sim/SimLog.h"

namespace zoma::sim {

void SimLog::line(Millis now, const std::string& text) {
    std::fprintf(out_, "%9lld ms  %s\n", static_cast<long long>(now), text.c_str());
    std::fflush(out_);
}

}  // namespace zoma::sim
