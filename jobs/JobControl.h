// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>

#include "download/DownloadPool.h"

enum ListState : std::uint8_t { LIST_IDLE = 0, LIST_RUNNING = 1, LIST_STOP = 2 };
enum DownloadState : std::uint8_t { DL_IDLE = 0, DL_RUNNING = 1, DL_ALBUM_DONE = 2, DL_STOP = 3 };

// The jobs' state bytes and the worker pool. The job controller starts the jobs and asks them to
// stop through these; the jobs and the operations' calls read them between steps.
struct JobControl {
    std::atomic<std::uint8_t> listState{LIST_IDLE};
    std::atomic<std::uint8_t> downloadState{DL_IDLE};
    // The worker pool's parameters and flags; the download button's stop reaches the pool here.
    DownloadPool pool;

    // Album-list operations stop after their next emission: the user asked the list to stop.
    bool ListStopped() const { return listState.load() == LIST_STOP; }
    // Picture-list operations stop after their next emission: this album is done (the rest was
    // downloaded before) or the whole download was stopped.
    bool PicturesStopped() const {
        const std::uint8_t state = downloadState.load();
        return state == DL_ALBUM_DONE || state == DL_STOP;
    }
    // A stop of the whole download: the state byte, or the pool's flag, which no listing
    // overwrites.
    bool DownloadStopped() const { return downloadState.load() == DL_STOP || pool.StopRequested(); }
};
