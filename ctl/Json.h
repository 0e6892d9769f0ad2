// The JSON text of a result, one object on one line.
#pragma once

#include <string>
#include <string_view>

#include "ctl/Step.h"

namespace zoma::ctl {

// A JSON string of the bytes: quotes and backslashes escaped, control characters as JSON writes
// them ("\r", "\u0006"), and each byte above 127 as the code point of its value ("\u00e9"), so
// any reply gives valid JSON.
std::string jsonString(std::string_view bytes);

// {"command":"status","code":"CR0","reply":"80","status":"Stand by","value":"standby","ok":true};
// "value" is null where there is none (an operation, a read-out that was not answered so).
std::string resultJson(const Result& result);

}  // namespace zoma::ctl
