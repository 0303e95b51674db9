// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "core/DownloadRequest.h"
#include "core/JobEvents.h"
#include "core/ListRequest.h"

struct AdapterTable;
struct JobContext;

// The album and download buttons: owns the job threads they start. A press while the job runs is a
// stop request. Every thread is joined before the controller goes, so no job outlives the context,
// the adapter table and the events it uses. The buttons may be pressed from any thread.
class JobController {
public:
    // What a press of a button did.
    enum class Press { Started, Stopping, Refused };

    JobController(JobContext& context, const AdapterTable& adapters, JobEvents& events);
    ~JobController();
    JobController(const JobController&) = delete;
    JobController& operator=(const JobController&) = delete;

    // The album button: a stop request while the album-list job runs; otherwise, unless a download
    // runs, an empty album list and a new album-list job for the request.
    Press PressListButton(const ListRequest& request);
    // The download button: a stop request (the job's and the worker pool's) while the download job
    // runs; otherwise, unless an album list runs, a new download job for the request.
    Press PressDownloadButton(const DownloadRequest& request);

    // Whether the job has not yet left its busy state.
    bool ListRunning() const;
    bool DownloadRunning() const;

    // How many download jobs the controller has started.
    int DownloadsStarted() const { return downloadsStarted_; }

    // Asks the running jobs to stop, as a press of their buttons while they run does; any thread
    // may call it (the command line does on Ctrl-C).
    void RequestStop();
    // Waits until every job thread started so far, and those they start, has ended.
    void WaitForJobs();
    // Asks running jobs to stop and joins them. False when a job was still running after timeout;
    // it is joined by a later call or by the destructor.
    bool Shutdown(std::chrono::milliseconds timeout);

private:
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    // Starts body on a new thread; false when the thread could not be created.
    bool Start(std::vector<Worker>& workers, std::function<void()> body);
    // Joins the workers whose body has returned; such a join does not wait.
    static void ReapFinished(std::vector<Worker>& workers);
    // Whether one of the workers has not returned yet.
    bool Finishing(const std::vector<Worker>& workers);
    bool AllDone();

    JobContext& context_;
    const AdapterTable& adapters_;
    JobEvents& events_;
    std::atomic<int> downloadsStarted_{0};
    std::mutex mutex_;  // guards the two worker lists, never held while joining
    std::vector<Worker> listWorkers_;
    std::vector<Worker> downloadWorkers_;
};
