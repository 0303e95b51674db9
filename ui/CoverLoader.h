// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "GridCtrl_src/CoverSource.h"

class CThumbnailList;

// The window's covers: an album asks and its cell shows at once with the placeholder, while up to
// the download thread count of workers fetch the covers in parallel, the albums the grid shows
// first, and hand each thumbnail on as it comes. A thumbnail made once is given again at once for
// the rest of the album list. Workers start when there is work, wait when there is none and are
// joined when the loader goes; a fetch in flight then ends within its time-out.
class CoverLoader : public CoverSource {
public:
    // Most workers at once, as many as the download's.
    static constexpr int MAX_WORKERS = 15;
    // A thumbnail that came for album k, told on the worker's thread; image is its index in the
    // thumbnail list.
    using Delivery = std::function<void(int k, int image)>;

    explicit CoverLoader(CThumbnailList& thumbnails);
    ~CoverLoader() override;
    CoverLoader(const CoverLoader&) = delete;
    CoverLoader& operator=(const CoverLoader&) = delete;

    void SetProgramFolder(std::u16string folder);
    // Set before the first cover is asked for.
    void SetDelivery(Delivery delivery);
    // How many workers may fetch at once, 1..MAX_WORKERS; a smaller limit lets the extra ones finish
    // their cover and wait.
    void SetWorkerLimit(int workers);

    // The thumbnail made for album k in this list, or -1 with its cover queued (not again while it
    // is queued or being fetched). An empty address gives -1 and queues nothing.
    int Thumbnail(int k, const std::u16string& coverUrl) override;
    void SetVisibleAlbums(int first, int last) override;
    void CancelPending() override;

    // A new album list: the queue and the thumbnails made are forgotten and the thumbnail list is
    // emptied; covers of the old list still in flight are dropped when they come.
    void Reset();
    // Closing: nothing more is fetched. The destructor joins.
    void Stop();

    // Waits until nothing is queued or being fetched; false after timeout.
    bool WaitUntilIdle(std::chrono::milliseconds timeout);

private:
    void Work(int slot);
    // The next album to fetch: the first one shown, then the ones below, then those above.
    std::map<int, std::u16string>::iterator NextPending();
    bool Idle() const { return pending_.empty() && inFlight_.empty(); }

    CThumbnailList& thumbnails_;
    Delivery delivery_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::u16string programDir_;
    std::map<int, std::u16string> pending_;  // album -> cover address
    std::set<int> inFlight_;
    std::map<int, int> made_;  // album -> thumbnail index
    std::uint64_t generation_ = 0;
    int limit_ = 5;
    int firstVisible_ = 0;
    bool stopped_ = false;
    std::vector<std::thread> workers_;
};
