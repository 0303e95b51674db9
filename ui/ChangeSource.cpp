// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ChangeSource.h"

#include <cstdint>
#include <system_error>

#include "GridCtrl_src/AlbumGrid.h"

ChangeSource::ChangeSource(AlbumView& view, AlbumList& albums, CoverSource& covers, std::function<void()> rebuilt)
    : view_(view), albums_(albums), covers_(covers), rebuilt_(std::move(rebuilt)) {}

ChangeSource::~ChangeSource() {
    Interrupt();
    Join();
}

bool ChangeSource::Start() {
    Join();
    try {
        thread_ = std::thread([this] {
            Rebuild(view_, albums_, &covers_);
            if (rebuilt_) {
                rebuilt_();
            }
        });
    } catch (const std::system_error&) {
        view_.modeSwitch = MODE_SWITCH_IDLE;
        return false;
    }
    return true;
}

void ChangeSource::Join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

bool ChangeSource::Interrupt() {
    // Only a running rebuild is interrupted: one that ended meanwhile must stay idle, or every
    // later switch would stop at once.
    std::uint8_t running = MODE_SWITCH_RUNNING;
    return view_.modeSwitch.compare_exchange_strong(running, MODE_SWITCH_INTERRUPT);
}
