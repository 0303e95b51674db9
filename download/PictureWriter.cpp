// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/PictureWriter.h"

#include <cerrno>
#include <system_error>

PictureWriter::PictureWriter(std::size_t threads, std::size_t capacity)
    : capacity_(capacity == 0 ? 1 : capacity) {
    threads_.reserve(threads);
    for (std::size_t i = 0; i < threads; ++i) {
        try {
            threads_.emplace_back([this] { Run(); });
        } catch (const std::system_error&) {
            break;
        }
    }
    started_ = !threads_.empty();
}

PictureWriter::~PictureWriter() {
    Finish();
}

void PictureWriter::Put(std::unique_ptr<AtomicFile> file, Done done) {
    Item item{std::move(file), std::move(done)};
    {
        std::unique_lock lock(mutex_);
        if (!closing_ && started_) {
            changed_.wait(lock, [&] { return queue_.size() < capacity_; });
            queue_.push_back(std::move(item));
            lock.unlock();
            changed_.notify_all();
            return;
        }
    }
    Write(item);
}

void PictureWriter::Finish() {
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    for (std::thread& thread : threads_) {
        thread.join();
    }
    threads_.clear();
}

void PictureWriter::Run() {
    for (;;) {
        Item item;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return !queue_.empty() || closing_; });
            if (queue_.empty()) {
                return;  // closing, and everything is written
            }
            item = std::move(queue_.front());
            queue_.pop_front();
        }
        changed_.notify_all();  // room for a waiting Put()
        Write(item);
    }
}

void PictureWriter::Write(Item& item) {
    int error = ECANCELED;
    if (item.file && !halted_.load()) {
        error = item.file->Publish() ? 0 : item.file->Error();
    }
    item.file.reset();  // a file not published leaves nothing
    if (item.done) {
        item.done(error);
    }
}
