#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Writes fetched pictures to disk on threads of its own, so a worker goes on with its next
// download while the last picture is still being created and flushed: on a disk a flush costs
// milliseconds, and file creation in one folder is serialised by the file system. The queue holds
// at most capacity pictures; Put() waits while it is full, so memory stays bounded when the disk is
// slower than the network.
class PictureWriter {
public:
    // Called once per picture after its write: 0 when the file is in place, else the errno
    // (ENOSPC when the disk is full, ECANCELED when the writer was halted before it).
    using Done = std::function<void(int error)>;

    PictureWriter(std::size_t threads, std::size_t capacity);
    // Writes what is queued, then joins the threads.
    ~PictureWriter();
    PictureWriter(const PictureWriter&) = delete;
    PictureWriter& operator=(const PictureWriter&) = delete;

    // Whether any writer thread runs; without one, Put() writes on the caller's thread.
    bool Started() const { return started_; }

    // Queues body for path; the file appears whole or not at all.
    void Put(std::u16string path, std::string body, Done done);
    // Writes nothing more: what is queued and what comes later is reported as ECANCELED. For a
    // full disk, where every further write would fail the same way.
    void Halt() { halted_.store(true); }
    // Writes what is queued and joins the threads; later Put() calls write on the caller's thread.
    void Finish();

private:
    struct Item {
        std::u16string path;
        std::string body;
        Done done;
    };
    void Run();
    void Write(const Item& item);

    std::size_t capacity_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Item> queue_;
    bool closing_ = false;
    bool started_ = false;
    std::atomic<bool> halted_{false};
    std::vector<std::thread> threads_;
};
