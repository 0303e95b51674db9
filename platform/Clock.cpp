// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Clock.h"

#include <chrono>

namespace {

// Taken during static initialisation, before main runs.
const std::chrono::steady_clock::time_point kStart = std::chrono::steady_clock::now();

}  // namespace

std::uint32_t ProcessMilliseconds() {
    auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - kStart);
    return static_cast<std::uint32_t>(elapsed.count());
}
