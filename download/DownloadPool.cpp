// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/DownloadPool.h"

#include <algorithm>

void DownloadPool::SetParams(const DownloadParams& params) {
    std::lock_guard lock(mutex_);
    params_ = params;
    params_.threadCount =
        static_cast<std::uint16_t>(std::clamp<unsigned>(params.threadCount, 1, MAX_THREADS));
    params_.timeoutSec = std::max(params.timeoutSec, MIN_TIMEOUT_SEC);
}

DownloadParams DownloadPool::Params() const {
    std::lock_guard lock(mutex_);
    return params_;
}

unsigned DownloadPool::ThreadCount() const {
    std::lock_guard lock(mutex_);
    return params_.threadCount;
}

void DownloadPool::RequestStop() {
    {
        std::lock_guard lock(mutex_);
        stop_.store(1);
    }
    changed_.notify_all();
}

void DownloadPool::ClearStop() {
    stop_.store(0);
}

void DownloadPool::PictureDone() {
    {
        std::lock_guard lock(mutex_);
        doneCount_.fetch_add(1);
    }
    changed_.notify_all();
}

int DownloadPool::WaitForChange(int seen, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, timeout, [&] { return doneCount_.load() != seen || stop_.load() != 0; });
    return doneCount_.load();
}
