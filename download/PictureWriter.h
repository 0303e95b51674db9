// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/AtomicFile.h"

// Puts fetched pictures in place on threads of its own, so a worker goes on with its next download
// while the last picture is still being flushed and named: on a disk a flush costs milliseconds,
// and file creation in one folder is serialised by the file system. A picture comes already
// written to its unnamed file, so the queue holds open files, never bodies; it holds at most
// capacity of them, and Put() waits while it is full.
class PictureWriter {
public:
    // Called once per picture after it was published: 0 when the file is in place, else the errno
    // (ENOSPC when the disk is full, ECANCELED when the writer was halted before it).
    using Done = std::function<void(int error)>;

    PictureWriter(std::size_t threads, std::size_t capacity);
    // Publishes what is queued, then joins the threads.
    ~PictureWriter();
    PictureWriter(const PictureWriter&) = delete;
    PictureWriter& operator=(const PictureWriter&) = delete;

    // Whether any writer thread runs; without one, Put() publishes on the caller's thread.
    bool Started() const { return started_; }

    // Queues file for publishing under its name; it appears whole or not at all.
    void Put(std::unique_ptr<AtomicFile> file, Done done);
    // Publishes nothing more: what is queued and what comes later is dropped and reported as
    // ECANCELED. For a full disk, where every further flush would fail the same way.
    void Halt() { halted_.store(true); }
    // Publishes what is queued and joins the threads; later Put() calls publish on the caller's
    // thread.
    void Finish();

private:
    struct Item {
        std::unique_ptr<AtomicFile> file;
        Done done;
    };
    void Run();
    void Write(Item& item);

    std::size_t capacity_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Item> queue_;
    bool closing_ = false;
    bool started_ = false;
    std::atomic<bool> halted_{false};
    std::vector<std::thread> threads_;
};
