// The timer the program runs on: a timerfd on Linux, a precise QTimer elsewhere or when asked.
#pragma once

#if defined(__linux__) && !defined(ZOMA_PORTABLE_TIMER)
#include "platform/qt/TimerFdTimer.h"
#else
#include "platform/qt/PortableTimer.h"
#endif

namespace zoma {

#if defined(__linux__) && !defined(ZOMA_PORTABLE_TIMER)
using QtTimer = TimerFdTimer;
#else
using QtTimer = PortableTimer;
#endif

}  // namespace zoma
