#pragma once
// The timer table moved to platform/TimerTable.h, where every backend that keeps its own
// timers finds it; these names stay for the code that still uses them from here.

#include "platform/TimerTable.h"

namespace platform::headless {

using platform::DueTimer;
using platform::TimerTable;

}  // namespace platform::headless
