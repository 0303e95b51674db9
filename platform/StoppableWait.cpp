// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/StoppableWait.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

// Short enough that a stop is seen well within 100 ms, long enough to cost nothing.
constexpr auto kSlice = std::chrono::milliseconds(10);

std::atomic<double> g_scale{1.0};

}  // namespace

bool StoppableWait(std::chrono::milliseconds duration, const std::function<bool()>& stopped) {
    using Clock = std::chrono::steady_clock;
    const auto end =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(
                           std::chrono::duration<double, std::milli>(duration.count() * WaitScale()));
    for (;;) {
        if (stopped && stopped()) {
            return false;
        }
        auto now = Clock::now();
        if (now >= end) {
            return true;
        }
        std::this_thread::sleep_for(std::min<Clock::duration>(end - now, kSlice));
    }
}

void SetWaitScale(double factor) {
    g_scale.store(factor);
}

double WaitScale() {
    return g_scale.load();
}
