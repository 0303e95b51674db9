// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/InterruptWatch.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

namespace {

// How often a stop is asked for again after the signal, and how soon the watch sees it must end.
constexpr long kRoundNs = 20'000'000;

sigset_t WatchedSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

}  // namespace

InterruptWatch::InterruptWatch() {
    sigset_t set = WatchedSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    thread_ = std::thread([this] { Run(); });
}

InterruptWatch::~InterruptWatch() {
    closing_.store(true);
    thread_.join();
}

void InterruptWatch::SetStop(std::function<void()> stop) {
    std::lock_guard lock(mutex_);
    stop_ = std::move(stop);
}

void InterruptWatch::Run() {
    const sigset_t set = WatchedSignals();
    const timespec round{0, kRoundNs};
    while (!closing_.load()) {
        int received = sigtimedwait(&set, nullptr, &round);
        if (received > 0) {
            int first = 0;
            if (!signal_.compare_exchange_strong(first, received)) {
                static constexpr char kAtOnce[] = "orvelle-cli: stopped at once\n";
                (void)!::write(2, kAtOnce, sizeof(kAtOnce) - 1);
                ::_exit(128 + first);
            }
        }
        if (signal_.load() != 0) {
            std::lock_guard lock(mutex_);
            if (stop_) {
                stop_();
            }
        }
    }
}
