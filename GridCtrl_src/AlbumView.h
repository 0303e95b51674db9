// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "GridCtrl_src/GridData.h"

enum ModeSwitchState : std::uint8_t {
    MODE_SWITCH_IDLE = 0,
    MODE_SWITCH_RUNNING = 1,
    MODE_SWITCH_INTERRUPT = 2
};

constexpr int THUMBS_PER_ROW = 6;
constexpr int THUMB_WIDTH = 113;
constexpr int THUMB_HEIGHT = 120;
constexpr int PREVIEW_ROW_HEIGHT = THUMB_HEIGHT + 10;

// The album grid as the window shows it: the grid's cells, whether they are rows or thumbnails,
// the filter on the rows, and the state of a switch between the two layouts. The window owns it;
// the album-list events, the layout switch's thread and the window thread write it, so the grid
// locks itself and the bytes are atomic. The filter text is the window thread's alone.
struct AlbumView {
    GridData grid;
    std::atomic<std::uint8_t> previewMode{0};  // thumbnails (1) or rows (0)
    std::atomic<std::uint8_t> modeSwitch{MODE_SWITCH_IDLE};
    std::u16string filterText;
};
