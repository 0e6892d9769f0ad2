// The module's one entry point: a new TCP line, owned by the caller.
#include "platform/qt/QtTcpLine.h"

extern "C" __attribute__((visibility("default"))) zoma::QtLine* zomaNewTcpLine() {
    return new zoma::QtTcpLine;
}
