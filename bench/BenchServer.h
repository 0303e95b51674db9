// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <map>
#include <string>

// The pictures "/p/<n>.jpg" on 127.0.0.1, every answer held back by a fixed delay, served by a
// process of its own so that its threads and memory never count against the downloader measured.
// It also answers "/photo/album/index.php?user=<user>" (a 56 user's album index) with the page
// given for that user; for the user "huge<n>" with a page of n MiB that does not announce its
// length, made as it is sent. Start it before the measuring process has any thread of its own.
class BenchServer {
public:
    BenchServer(std::size_t pictureBytes, std::chrono::milliseconds delay,
                std::map<std::string, std::string> pagesByUser = {});
    ~BenchServer();
    BenchServer(const BenchServer&) = delete;
    BenchServer& operator=(const BenchServer&) = delete;

    // 0 when the server did not come up.
    int Port() const { return port_; }

private:
    pid_t pid_ = -1;
    int port_ = 0;
};
