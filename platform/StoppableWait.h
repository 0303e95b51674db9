// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>

// Waits for duration, looking at stopped every few milliseconds, so a job's pause between pages or
// attempts ends as soon as the user presses stop. True when the whole duration passed, false when
// stopped said so first (also at once, before any wait). An empty stopped never stops.
bool StoppableWait(std::chrono::milliseconds duration, const std::function<bool()>& stopped);

// Tests shorten every stoppable wait with this factor (1 in the program).
void SetWaitScale(double factor);
double WaitScale();
