// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CoverLoader.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "ui/CThumbnailList.h"
#include "ui/CoverService.h"

CoverLoader::CoverLoader(CThumbnailList& thumbnails) : thumbnails_(thumbnails) {}

CoverLoader::~CoverLoader() {
    Stop();
    for (std::thread& worker : workers_) {
        worker.join();
    }
}

void CoverLoader::SetProgramFolder(std::u16string folder) {
    std::lock_guard lock(mutex_);
    programDir_ = std::move(folder);
}

void CoverLoader::SetDelivery(Delivery delivery) {
    std::lock_guard lock(mutex_);
    delivery_ = std::move(delivery);
}

void CoverLoader::SetWorkerLimit(int workers) {
    std::lock_guard lock(mutex_);
    limit_ = std::clamp(workers, 1, MAX_WORKERS);
    wake_.notify_all();
}

int CoverLoader::Thumbnail(int k, const std::u16string& coverUrl) {
    std::lock_guard lock(mutex_);
    if (auto made = made_.find(k); made != made_.end()) {
        return made->second;
    }
    if (coverUrl.empty() || stopped_ || inFlight_.count(k) != 0) {
        return -1;
    }
    pending_[k] = coverUrl;
    // One more worker while there are fewer than the limit; each takes the next cover as it is free.
    if (static_cast<int>(workers_.size()) < limit_) {
        try {
            workers_.emplace_back([this, slot = static_cast<int>(workers_.size())] { Work(slot); });
        } catch (const std::system_error&) {
            // The workers there are fetch the cover; with none, it waits for the next request.
        }
    }
    wake_.notify_one();
    return -1;
}

void CoverLoader::SetVisibleAlbums(int first, int /*last*/) {
    std::lock_guard lock(mutex_);
    firstVisible_ = std::max(first, 0);
}

void CoverLoader::CancelPending() {
    std::lock_guard lock(mutex_);
    pending_.clear();
    if (Idle()) {
        idle_.notify_all();
    }
}

void CoverLoader::Reset() {
    std::lock_guard lock(mutex_);
    ++generation_;
    pending_.clear();
    inFlight_.clear();
    made_.clear();
    firstVisible_ = 0;
    thumbnails_.Clear();
    idle_.notify_all();
}

void CoverLoader::Stop() {
    std::lock_guard lock(mutex_);
    stopped_ = true;
    pending_.clear();
    wake_.notify_all();
}

bool CoverLoader::WaitUntilIdle(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return idle_.wait_for(lock, timeout, [this] { return Idle(); });
}

std::map<int, std::u16string>::iterator CoverLoader::NextPending() {
    auto next = pending_.lower_bound(firstVisible_);
    return next != pending_.end() ? next : pending_.begin();
}

void CoverLoader::Work(int slot) {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return stopped_ || (!pending_.empty() && slot < limit_); });
        if (stopped_) {
            return;
        }
        auto next = NextPending();
        const int k = next->first;
        const std::u16string url = std::move(next->second);
        pending_.erase(next);
        inFlight_.insert(k);
        const std::uint64_t generation = generation_;
        const std::u16string programDir = programDir_;

        lock.unlock();
        const QImage thumbnail = CoverService::Fetch(programDir, k, url);
        lock.lock();

        // A cover of a list that has gone is dropped; it must not take a place in the new one.
        if (generation != generation_) {
            continue;
        }
        inFlight_.erase(k);
        const int image = thumbnails_.AddFitted(thumbnail);
        if (image >= 0) {
            made_[k] = image;
            // Told under the lock, so a new list cannot start between the check and the cell.
            if (delivery_ && !stopped_) {
                delivery_(k, image);
            }
        }
        if (Idle()) {
            idle_.notify_all();
        }
    }
}
