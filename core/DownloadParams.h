// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The download parameters of one site type, as the settings file stores them (8 bytes).
struct DownloadParams {
    std::uint16_t minPictureKB = 0;  // smaller pictures are rejected, 0 = no limit
    std::uint16_t maxPictureKB = 0;  // larger pictures are rejected, 0 = no limit
    std::uint16_t threadCount = 0;   // download workers, 1..15
    std::uint16_t timeoutSec = 0;    // per-picture time-out, at least 10
};
