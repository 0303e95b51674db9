// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/DownProc.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <system_error>
#include <thread>
#include <vector>

#include "MyCode/StringCtrl.h"
#include "MyCode/TextFlags.h"
#include "MyCode/URLSource2.h"
#include "core/JobEvents.h"
#include "core/ServerWait.h"
#include "download/PictureWriter.h"
#include "platform/AtomicFile.h"

namespace {

constexpr std::uint32_t kConnectTimeoutMs = 20000;
// The manager also wakes this often, so a stop flag set without RequestStop() is still seen.
constexpr auto kStopPoll = std::chrono::milliseconds(100);
// Flushes of several files at once share the file system's journal commits.
constexpr std::size_t kWriterThreads = 4;

PictureOutcome FailureOf(const UrlSource& source) {
    PictureOutcome outcome{PictureResult::Failed, source.error, source.status};
    if (source.error == FetchError::TooSmall) {
        outcome.result = PictureResult::TooSmall;
    } else if (source.error == FetchError::TooLarge) {
        outcome.result = PictureResult::TooLarge;
    }
    return outcome;
}

}  // namespace

bool FetchPicture(const PictureRecord& picture, const DownloadParams& params, const std::u16string& albumDir,
                  std::unique_ptr<AtomicFile>& file, PictureOutcome& outcome, std::function<bool()> stopped,
                  std::function<void(int seconds)> serverWait) {
    try {
        // The file is published by the pool's writer, not by the client, so the next download need
        // not wait for the disk's flush.
        UrlRequest request(picture.PrimaryUrl(), u"", kConnectTimeoutMs);
        request.streamPath = albumDir + picture.fileName;
        request.readTimeoutMs = static_cast<std::uint32_t>(params.timeoutSec) * 1000;
        if (!picture.headers.empty()) {
            request.headers = picture.headers;
        }
        request.minSizeKB = params.minPictureKB;
        request.maxSizeKB = params.maxPictureKB;
        // An error page saved as a picture would pass for one.
        request.refuseErrorAnswers = true;
        request.stopped = std::move(stopped);
        request.serverWait = std::move(serverWait);
        UrlSource source;
        bool ok = FetchUrl(request, source, FETCH_CACHEABLE | FETCH_FROM_CACHE);
        // A stop that cut the wait for a busy server left the picture untried, not failed: the
        // server never said anything about the picture itself.
        if (!ok && source.serverWaitCut) {
            outcome = PictureOutcome{};
            return false;
        }
        bool fromFallback = false;
        // FallbackUrl() is empty unless the text after the line break is one web address.
        std::u16string fallback = picture.FallbackUrl();
        if (source.bodyLength == 0 && !fallback.empty()) {
            request.url = fallback;
            // A name made from the address follows the address whose answer is kept.
            if (!picture.fallbackFileName.empty()) {
                request.streamPath = albumDir + picture.fallbackFileName;
            }
            ok = FetchUrl(request, source, FETCH_CACHEABLE | FETCH_FROM_CACHE);
            fromFallback = true;
            if (!ok && source.serverWaitCut) {
                outcome = PictureOutcome{};
                return false;
            }
        }
        if (ok && (file = source.TakeFile()) != nullptr) {
            outcome = PictureOutcome{PictureResult::Saved, FetchError::None, 0, fromFallback};
            return true;
        }
        outcome = ok ? PictureOutcome{PictureResult::Failed, FetchError::WriteFailed, 0} : FailureOf(source);
        return false;
    } catch (...) {
        // A picture that cannot be fetched is simply not there; the pool goes on.
        outcome = PictureOutcome{PictureResult::Failed, FetchError::None, 0};
        return false;
    }
}

bool DownPicFunc(DownloadPool& pool, PictureList& pictures, int album, JobEvents& events,
                 std::vector<PictureOutcome>& outcomes) {
    pool.ResetDone();
    const std::size_t total = pictures.Size();
    outcomes.assign(total, PictureOutcome{});
    const std::size_t wanted = std::min<std::size_t>(pool.ThreadCount(), total);
    if (wanted == 0) {
        return true;
    }
    pool.SetRunning(true);
    const auto start = std::chrono::steady_clock::now();
    // Each worker reads only copies: the parameters and the folder taken here, and the picture
    // record it is handed.
    const DownloadParams params = pool.Params();
    const std::u16string albumDir = pictures.AlbumDir();

    std::atomic<int> saved{0};
    // Once a write finds the disk full, every further one would fail the same way.
    std::atomic<bool> diskFull{false};
    // Each picture is reported once, by the thread that settled it; outcomes are read only after
    // every thread has been joined.
    auto settle = [&](std::size_t i, const PictureRecord& picture, PictureOutcome outcome) {
        outcome.place = static_cast<int>(i);
        outcomes[i] = outcome;
        if (outcome.result == PictureResult::Saved) {
            ++saved;
            if (outcome.fromFallback) {
                const std::u16string& name =
                    picture.fallbackFileName.empty() ? picture.fileName : picture.fallbackFileName;
                events.PictureSaved(album, albumDir + name, picture.FallbackUrl());
            } else {
                events.PictureSaved(album, albumDir + picture.fileName, picture.PrimaryUrl());
            }
        } else if (outcome.result != PictureResult::NotTried) {
            events.PictureNotSaved(album, NotSavedLine(picture.fileName, picture.PrimaryUrl(), outcome),
                                   picture.PrimaryUrl(), outcome);
        }
        pool.PictureDone();
    };

    // Long-lived workers take the next index as soon as they are free: the same window of at most
    // threadCount downloads, started in list order, as one thread per picture would give.
    PictureWriter writer(std::min(kWriterThreads, wanted), wanted);
    std::atomic<std::size_t> next{0};
    const std::function<bool()> stopped = [&pool] { return pool.StopRequested(); };
    const std::function<void(int)> serverWait = [&events](int seconds) {
        events.ProgressText(ServerWaitText(seconds));
    };
    auto work = [&] {
        while (!pool.StopRequested() && !diskFull.load()) {
            std::size_t i = next.fetch_add(1);
            if (i >= total) {
                break;
            }
            PictureRecord picture = pictures.Get(i);
            std::unique_ptr<AtomicFile> file;
            PictureOutcome fetched;
            if (!FetchPicture(picture, params, albumDir, file, fetched, stopped, serverWait)) {
                if (fetched.error == FetchError::DiskFull) {
                    diskFull.store(true);
                    writer.Halt();
                }
                settle(i, picture, fetched);
                continue;
            }
            writer.Put(std::move(file), [&, i, picture, fetched](int error) {
                PictureOutcome outcome = fetched;
                if (error == ECANCELED) {
                    outcome = PictureOutcome{};  // fetched, never written
                } else if (error != 0) {
                    bool full = AtomicFile::IsDiskFull(error);
                    outcome = PictureOutcome{PictureResult::Failed,
                                             full ? FetchError::DiskFull : FetchError::WriteFailed, 0};
                    if (full) {
                        diskFull.store(true);
                        writer.Halt();
                    }
                }
                settle(i, picture, outcome);
            });
        }
    };
    std::vector<std::thread> workers;
    workers.reserve(wanted);
    for (std::size_t w = 0; w < wanted; ++w) {
        try {
            workers.emplace_back(work);
        } catch (const std::system_error&) {
            break;  // fewer workers share the pictures
        }
    }
    if (workers.empty()) {
        pool.SetRunning(false);
        return false;
    }

    const int count = static_cast<int>(total);
    int shown = 0;
    for (;;) {
        int done = pool.WaitForChange(shown, kStopPoll);
        if (pool.StopRequested()) {
            break;
        }
        bool last = done >= count;
        if (done != shown || last) {
            const int savedNow = saved.load();
            events.PoolProgress(StringCtrl::Format(u"已下载%d/%d......", {savedNow, count}), savedNow, count);
        }
        shown = done;
        if (last || diskFull.load()) {
            break;
        }
    }
    auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
    events.PoolEnded(static_cast<int>(elapsed.count()), count);
    for (std::thread& worker : workers) {
        worker.join();
    }
    writer.Finish();
    // Every worker and writer is done: the list may change again, and names the files as they are.
    for (std::size_t i = 0; i < total; ++i) {
        if (outcomes[i].result == PictureResult::Saved && outcomes[i].fromFallback) {
            pictures.UseFallbackName(i);
        }
    }
    pool.SetRunning(false);
    return true;
}
