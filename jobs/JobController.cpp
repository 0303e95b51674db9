// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/JobController.h"

#include <system_error>

#include "jobs/AlbumListJob.h"
#include "jobs/DownloadJob.h"
#include "jobs/JobContext.h"

JobController::JobController(JobContext& context, const AdapterTable& adapters, JobEvents& events)
    : context_(context), adapters_(adapters), events_(events) {}

JobController::~JobController() {
    RequestStop();
    WaitForJobs();
}

JobController::Press JobController::PressListButton(const ListRequest& request) {
    JobControl& control = context_.control;
    if (control.listState != LIST_IDLE) {
        control.listState = LIST_STOP;
        return Press::Stopping;
    }
    // A download reads the album records, so they must not be cleared under it; the window
    // disables this button while one runs.
    if (control.downloadState != DL_IDLE || Finishing(listWorkers_)) {
        return Press::Refused;
    }
    context_.list.albums.Clear();
    control.listState = LIST_RUNNING;
    context_.list.subMode = SUBMODE_UNSET;
    context_.list.siteType = request.siteType;
    if (!Start(listWorkers_, [this, request] {
            GetListFunc(request, context_, adapters_, events_);
            // The job leaves the state idle on every road; make sure of it, so the button never
            // stays a stop button. No other album-list job starts before this thread is done.
            context_.control.listState = LIST_IDLE;
        })) {
        control.listState = LIST_IDLE;
        events_.Notice(u"Create thread:GetListFunc failed.", u"");
        return Press::Refused;
    }
    return Press::Started;
}

JobController::Press JobController::PressDownloadButton(const DownloadRequest& request) {
    JobControl& control = context_.control;
    std::uint8_t idle = DL_IDLE;
    if (!control.downloadState.compare_exchange_strong(idle, DL_RUNNING)) {
        control.downloadState = DL_STOP;
        control.pool.RequestStop();
        return Press::Stopping;
    }
    // The window disables this button while an album list runs: the download would read albums
    // that are still being added. A download that has left its busy state but not yet returned
    // still counts as running.
    if (control.listState != LIST_IDLE || Finishing(downloadWorkers_)) {
        control.downloadState = DL_IDLE;
        return Press::Refused;
    }
    if (!Start(downloadWorkers_, [this, request] {
            DownloadJobFunc(request, context_, adapters_, events_);
            // The download job ends early on an empty or unusable save path without passing
            // through its finishing step; the button must not stay a stop button then. No other
            // download job starts before this thread is done.
            context_.control.downloadState = DL_IDLE;
        })) {
        control.downloadState = DL_IDLE;
        events_.Notice(u"Create thread:DownloadJobFunc failed.", u"");
        return Press::Refused;
    }
    ++downloadsStarted_;
    return Press::Started;
}

bool JobController::ListRunning() const {
    return context_.control.listState != LIST_IDLE;
}

bool JobController::DownloadRunning() const {
    return context_.control.downloadState != DL_IDLE;
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

bool JobController::Start(std::vector<Worker>& workers, std::function<void()> body) {
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::lock_guard lock(mutex_);
    ReapFinished(workers);
    try {
        std::thread thread([body = std::move(body), done] {
            body();
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
    JobControl& control = context_.control;
    if (control.listState != LIST_IDLE) {
        control.listState = LIST_STOP;
    }
    if (control.downloadState != DL_IDLE) {
        control.downloadState = DL_STOP;
        control.pool.RequestStop();
    }
}
