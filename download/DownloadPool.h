// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "core/DownloadParams.h"

// The worker pool's state, shared by the download job, the pool manager, its workers and the
// window: the parameters copied from the site type's settings, the finished counter, the stop
// request of the download button and the running flag that the "打开" button reads.
class DownloadPool {
public:
    static constexpr unsigned MAX_THREADS = 15;
    static constexpr std::uint16_t MIN_TIMEOUT_SEC = 10;

    DownloadPool() = default;
    DownloadPool(const DownloadPool&) = delete;
    DownloadPool& operator=(const DownloadPool&) = delete;

    // Taken over at the start of each download job. The thread count is held to 1..MAX_THREADS
    // and the time-out to at least MIN_TIMEOUT_SEC, as the settings store repairs them, so a slot
    // that never went through the repair still downloads.
    void SetParams(const DownloadParams& params);
    DownloadParams Params() const;
    unsigned ThreadCount() const;

    // The download button's stop: no further picture starts; those in flight finish. Callable
    // from any thread; wakes the manager at once.
    void RequestStop();
    void ClearStop();
    bool StopRequested() const { return stop_.load() != 0; }

    // Set while a manager runs.
    bool Running() const { return running_.load() != 0; }
    int DoneCount() const { return doneCount_.load(); }

    // For the manager and its workers.
    void SetRunning(bool running) { running_.store(running ? 1 : 0); }
    void ResetDone() { doneCount_.store(0); }
    // A worker has finished a picture, whatever its result.
    void PictureDone();
    // Waits until the finished count differs from seen, a stop was requested or timeout passed;
    // returns the finished count.
    int WaitForChange(int seen, std::chrono::milliseconds timeout);

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    DownloadParams params_{0, 0, 1, 10};
    std::atomic<int> doneCount_{0};
    std::atomic<std::uint8_t> stop_{0};
    std::atomic<std::uint8_t> running_{0};
};
