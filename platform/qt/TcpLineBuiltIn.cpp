// The TCP line built into the program, where no module is made (see TcpLineLoader.h).
#include "platform/qt/QtTcpLine.h"
#include "platform/qt/TcpLineLoader.h"

namespace zoma {

std::unique_ptr<QtLine> makeTcpLine(std::string&) {
    return std::make_unique<QtTcpLine>();
}

}  // namespace zoma
