#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

struct AdapterTable;
struct JobContext;

// The album and download buttons: owns the job threads they start. A press while the job runs is a
// stop request. Every thread is joined before the controller goes, so no job outlives the context
// and the adapter table it reads. The buttons may be pressed from the window thread and, for the
// single-album sites, the download button from the album-list thread.
class JobController {
public:
    JobController(JobContext& job, const AdapterTable& adapters);
    ~JobController();
    JobController(const JobController&) = delete;
    JobController& operator=(const JobController&) = delete;

    // The album button: nothing before start-up has finished; a stop request while the album-list
    // job runs; otherwise an empty grid and album list and a new album-list job.
    void PressListButton();
    // The download button: a stop request (the job's and the worker pool's) while the download job
    // runs; otherwise a new download job.
    void PressDownloadButton();

    // Whether an album-list job that found the one album of an item page starts its download (on
    // by default, as in the window; the command line's "list" turns it off).
    void SetAutoDownload(bool enabled) { autoDownload_ = enabled; }

    // How many download jobs the controller has started, by either road.
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
    using Body = void (JobController::*)();

    // Starts body on a new thread; false when the thread could not be created.
    bool Start(std::vector<Worker>& workers, Body body);
    // Joins the workers whose body has returned; such a join does not wait.
    static void ReapFinished(std::vector<Worker>& workers);
    // Whether one of the workers has not returned yet.
    bool Finishing(const std::vector<Worker>& workers);
    bool AllDone();
    void RunList();
    void RunDownload();

    JobContext& job_;
    const AdapterTable& adapters_;
    std::atomic<bool> autoDownload_{true};
    std::atomic<int> downloadsStarted_{0};
    std::mutex mutex_;  // guards the two worker lists, never held while joining
    std::vector<Worker> listWorkers_;
    std::vector<Worker> downloadWorkers_;
};
