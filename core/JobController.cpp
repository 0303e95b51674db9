#include "core/JobController.h"

#include <system_error>

#include "GridCtrl_src/AlbumGrid.h"
#include "core/AlbumListJob.h"
#include "core/DownloadJob.h"
#include "core/JobContext.h"
#include "core/WindowPort.h"

JobController::JobController(JobContext& job, const AdapterTable& adapters)
    : job_(job), adapters_(adapters) {}

JobController::~JobController() {
    RequestStop();
    WaitForJobs();
}

void JobController::PressListButton() {
    if (job_.ready == 0) {
        return;
    }
    if (job_.listState != LIST_IDLE) {
        job_.listState = LIST_STOP;
        return;
    }
    // The window disables this button while a download runs; the download reads the album
    // records, so they must not be cleared under it.
    if (job_.downloadState != DL_IDLE || Finishing(listWorkers_)) {
        return;
    }
    SetUpAlbumGrid(job_);
    job_.list.albums.Clear();
    job_.listState = LIST_RUNNING;
    job_.list.subMode = SUBMODE_UNSET;
    job_.list.siteType = job_.window->SiteSelection();
    if (!Start(listWorkers_, &JobController::RunList)) {
        job_.listState = LIST_IDLE;
        job_.window->MessageBox(u"Create thread:GetListFunc failed.", u"", MB_OK);
    }
}

void JobController::PressDownloadButton() {
    std::uint8_t idle = DL_IDLE;
    if (!job_.downloadState.compare_exchange_strong(idle, DL_RUNNING)) {
        job_.downloadState = DL_STOP;
        job_.pool.RequestStop();
        return;
    }
    // The window disables this button while an album list runs: the download would read albums
    // that are still being added. A download that has left its busy state but not yet returned
    // still counts as running.
    if (job_.listState != LIST_IDLE || Finishing(downloadWorkers_)) {
        job_.downloadState = DL_IDLE;
        return;
    }
    if (!Start(downloadWorkers_, &JobController::RunDownload)) {
        job_.downloadState = DL_IDLE;
        job_.window->MessageBox(u"Create thread:DownloadJobFunc failed.", u"", MB_OK);
        return;
    }
    ++downloadsStarted_;
}

void JobController::WaitForJobs() {
    // A job may start another (the album list starts the download of a single item), so go on
    // until no thread is left.
    for (;;) {
        std::vector<Worker> workers;
        {
            std::lock_guard lock(mutex_);
            for (std::vector<Worker>* list : {&listWorkers_, &downloadWorkers_}) {
                for (Worker& worker : *list) {
                    workers.push_back(std::move(worker));
                }
                list->clear();
            }
        }
        if (workers.empty()) {
            return;
        }
        for (Worker& worker : workers) {
            worker.thread.join();
        }
    }
}

bool JobController::Shutdown(std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        // Asked again on every round: a job that is ending may just have started another.
        RequestStop();
        if (AllDone()) {
            WaitForJobs();
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            std::lock_guard lock(mutex_);
            ReapFinished(listWorkers_);
            ReapFinished(downloadWorkers_);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

bool JobController::Start(std::vector<Worker>& workers, Body body) {
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::lock_guard lock(mutex_);
    ReapFinished(workers);
    try {
        std::thread thread([this, body, done] {
            (this->*body)();
            done->store(true);
        });
        workers.push_back(Worker{std::move(thread), done});
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void JobController::ReapFinished(std::vector<Worker>& workers) {
    for (auto it = workers.begin(); it != workers.end();) {
        if (it->done->load()) {
            it->thread.join();
            it = workers.erase(it);
        } else {
            ++it;
        }
    }
}

bool JobController::Finishing(const std::vector<Worker>& workers) {
    std::lock_guard lock(mutex_);
    for (const Worker& worker : workers) {
        if (!worker.done->load()) {
            return true;
        }
    }
    return false;
}

bool JobController::AllDone() {
    std::lock_guard lock(mutex_);
    for (const std::vector<Worker>* list : {&listWorkers_, &downloadWorkers_}) {
        for (const Worker& worker : *list) {
            if (!worker.done->load()) {
                return false;
            }
        }
    }
    return true;
}

void JobController::RequestStop() {
    if (job_.listState != LIST_IDLE) {
        job_.listState = LIST_STOP;
    }
    if (job_.downloadState != DL_IDLE) {
        job_.downloadState = DL_STOP;
        job_.pool.RequestStop();
    }
}

void JobController::RunList() {
    std::function<void()> pressDownload;
    if (autoDownload_) {
        pressDownload = [this] { PressDownloadButton(); };
    }
    GetListFunc(job_, adapters_, pressDownload);
    // The job leaves the state idle on every road; make sure of it, so the button never stays a
    // stop button. No other album-list job starts before this thread is done.
    job_.listState = LIST_IDLE;
}

void JobController::RunDownload() {
    DownloadJobFunc(job_, adapters_);
    // The download job ends early on an empty or unusable save path without passing through its
    // finishing step; the button must not stay a stop button then. No other download job starts
    // before this thread is done.
    job_.downloadState = DL_IDLE;
}
