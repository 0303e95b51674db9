// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <thread>

#include "GridCtrl_src/AlbumView.h"
#include "GridCtrl_src/CoverSource.h"
#include "core/AlbumList.h"

// The grid's layout switch: the rebuild of every album in the layout now in force, on a thread of
// its own (a thumbnail rebuild downloads covers, which must not freeze the window). The window
// talks to it only through the view's modeSwitch. The thread is always joined: by the next Start,
// by Join or, after an interrupt request, by the destructor, so it never outlives the grid it
// fills.
class ChangeSource {
public:
    // rebuilt runs on the switch's thread once a rebuild has ended.
    ChangeSource(AlbumView& view, AlbumList& albums, CoverSource& covers, std::function<void()> rebuilt);
    ~ChangeSource();
    ChangeSource(const ChangeSource&) = delete;
    ChangeSource& operator=(const ChangeSource&) = delete;

    // Starts the rebuild; the view's modeSwitch must already say it runs. False when no thread
    // could be started, and then the switch is idle again.
    bool Start();
    // Waits for the rebuild to end.
    void Join();
    // Asks a running rebuild to stop after the album it shows; false when none was running.
    bool Interrupt();

private:
    AlbumView& view_;
    AlbumList& albums_;
    CoverSource& covers_;
    std::function<void()> rebuilt_;
    std::thread thread_;
};
