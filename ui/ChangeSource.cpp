#include "ui/ChangeSource.h"

#include <cstdint>
#include <system_error>

#include "GridCtrl_src/AlbumGrid.h"
#include "core/JobContext.h"

ChangeSource::ChangeSource(JobContext& job) : job_(job) {}

ChangeSource::~ChangeSource() {
    Interrupt();
    Join();
}

bool ChangeSource::Start() {
    Join();
    try {
        thread_ = std::thread([this] { Rebuild(job_); });
    } catch (const std::system_error&) {
        job_.modeSwitch = MODE_SWITCH_IDLE;
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
    return job_.modeSwitch.compare_exchange_strong(running, MODE_SWITCH_INTERRUPT);
}
