// Where a program's TCP line comes from: Qt Network is loaded only by a program that opens one.
#pragma once

#include <memory>
#include <string>

#include "platform/qt/QtLine.h"

namespace zoma {

// A new TCP line (QtTcpLine), or nothing with `error` saying why. On Linux the line lives in a
// module of its own (libzoma-tcp-line.so, with Qt Network behind it), loaded at the first call:
// a panel on a serial port never maps Qt Network and the libraries it brings (Kerberos, libproxy,
// the resolver): loading them cost its start-up about 1.5 MiB and 4 % of its instructions.
// Elsewhere the line is built in.
std::unique_ptr<QtLine> makeTcpLine(std::string& error);

}  // namespace zoma
