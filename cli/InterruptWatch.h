// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

// Ctrl-C (SIGINT) and SIGTERM as the command line's stop button. The first signal asks the running
// jobs to stop, as the window's stop buttons do, so the pictures in flight land whole, nothing half
// written stays and the summary is still printed; a second signal ends the program at once.
class InterruptWatch {
public:
    // Blocks both signals in this thread and in every thread started after it, and waits for them
    // on a thread of its own. Make it before any other thread starts.
    InterruptWatch();
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

    // What a signal asks for. It runs on the watch's thread at the first signal and then every few
    // milliseconds until replaced, so a job that starts just after the signal is stopped too. An
    // empty function stops nothing.
    void SetStop(std::function<void()> stop);
    // The first signal received, 0 while none came.
    int Signal() const { return signal_.load(); }

private:
    void Run();

    std::atomic<int> signal_{0};
    std::atomic<bool> closing_{false};
    std::mutex mutex_;
    std::function<void()> stop_;
    std::thread thread_;
};
