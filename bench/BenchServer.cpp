// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/BenchServer.h"

#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

// The library listens with a backlog of 5: fifteen clients connecting at once would overflow it
// and wait a second for their SYN to be sent again.
void WidenBacklog(int port) {
    for (int fd = 3; fd < 1024; ++fd) {
        sockaddr_in local{};
        socklen_t length = sizeof(local);
        if (::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) == 0 &&
            local.sin_family == AF_INET && ntohs(local.sin_port) == port) {
            ::listen(fd, SOMAXCONN);
        }
    }
}

// total bytes of album rows, made as they are sent and sent without a declared length.
void ServeHugePage(httplib::Response& res, std::size_t total) {
    static const std::string block = [] {
        std::string bytes;
        while (bytes.size() < (1u << 20)) {
            bytes += "<li><a onclick=\"chackAlbum('1')\"><img title=\"x\"></a></li>\n";
        }
        bytes.resize(1u << 20);
        return bytes;
    }();
    // Not a text type, so the server sends it as it is rather than compressed: the page is the
    // client's to hold.
    res.set_chunked_content_provider(
        "application/octet-stream", [total](std::size_t offset, httplib::DataSink& sink) {
            if (offset >= total) {
                sink.done();
                return true;
            }
            return sink.write(block.data(), std::min(block.size(), total - offset));
        });
}

[[noreturn]] void Serve(int reportFd, std::size_t pictureBytes, std::chrono::milliseconds delay,
                        const std::map<std::string, std::string>& pagesByUser) {
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    httplib::Server server;
    server.new_task_queue = [] { return new httplib::ThreadPool(64); };
    server.set_keep_alive_max_count(100000);
    server.set_tcp_nodelay(true);
    const std::string body = [pictureBytes] {
        std::string bytes = "\xFF\xD8\xFF\xE0";
        bytes.resize(pictureBytes, 'b');
        return bytes;
    }();
    server.Get(R"(/p/(\d+)\.jpg)", [&](const httplib::Request&, httplib::Response& res) {
        std::this_thread::sleep_for(delay);
        // Every answer is sent from the one body. A copy per answer costs the server a fresh
        // allocation and its page faults each time, until the allocator has warmed up: the first
        // client measured would pay for that server's start, the later ones would not.
        res.set_content_provider(body.size(), "image/jpeg",
                                 [&body](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                                     return sink.write(body.data() + offset, length);
                                 });
    });
    server.Get("/photo/album/index.php", [&](const httplib::Request& req, httplib::Response& res) {
        const std::string user = req.get_param_value("user");
        if (user.rfind("huge", 0) == 0) {
            ServeHugePage(res, std::strtoul(user.c_str() + 4, nullptr, 10) << 20);
            return;
        }
        auto page = pagesByUser.find(user);
        if (page == pagesByUser.end()) {
            res.status = 404;
            return;
        }
        res.set_content(page->second, "text/html; charset=utf-8");
    });
    int port = server.bind_to_any_port("127.0.0.1");
    if (port > 0) {
        WidenBacklog(port);
    }
    ssize_t written = ::write(reportFd, &port, sizeof(port));
    ::close(reportFd);
    if (port > 0 && written == sizeof(port)) {
        server.listen_after_bind();
    }
    ::_exit(0);
}

}  // namespace

BenchServer::BenchServer(std::size_t pictureBytes, std::chrono::milliseconds delay,
                         std::map<std::string, std::string> pagesByUser) {
    int fds[2];
    if (::pipe(fds) != 0) {
        return;
    }
    pid_ = ::fork();
    if (pid_ == 0) {
        ::close(fds[0]);
        Serve(fds[1], pictureBytes, delay, pagesByUser);
    }
    ::close(fds[1]);
    if (pid_ > 0 && ::read(fds[0], &port_, sizeof(port_)) != sizeof(port_)) {
        port_ = 0;
    }
    ::close(fds[0]);
}

BenchServer::~BenchServer() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
}
