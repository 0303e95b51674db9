// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/RawServer.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

#include "MyCode/ConnectToRules.h"
#include "platform/CodePage.h"

struct RawServer::Impl {
    int listenFd = -1;
    int wake[2] = {-1, -1};
    int port = 0;
    std::thread acceptThread;

    mutable std::mutex mutex;
    std::condition_variable stopped;
    bool stopping = false;
    std::map<std::string, Handler> handlers;
    std::vector<Request> requests;
    std::vector<std::string> routes;
    std::vector<std::thread> connectionThreads;
    std::set<int> openFds;
    int serial = 0;

    void AcceptLoop();
    void Serve(int fd, int connection);

    bool Pause(std::chrono::milliseconds duration) {
        std::unique_lock lock(mutex);
        return !stopped.wait_for(lock, duration, [this] { return stopping; });
    }
    // The fd leaves the set before it is closed, so a stop never shuts down a reused number.
    void Forget(int fd) {
        std::lock_guard lock(mutex);
        openFds.erase(fd);
    }
    class SocketConnection : public Connection {
    public:
        SocketConnection(int fd, Impl& impl) : fd_(fd), impl_(impl) {}
        ~SocketConnection() override { Close(); }

        bool Send(std::string_view bytes) override {
            while (!bytes.empty() && fd_ >= 0) {
                ssize_t sent = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
                if (sent <= 0) {
                    return false;
                }
                bytes.remove_prefix(static_cast<std::size_t>(sent));
            }
            return fd_ >= 0;
        }
        bool Pause(std::chrono::milliseconds duration) override { return impl_.Pause(duration); }
        bool WaitForRequest(std::chrono::milliseconds timeout) override {
            const auto end = std::chrono::steady_clock::now() + timeout;
            while (fd_ >= 0 && std::chrono::steady_clock::now() < end) {
                pollfd ready{fd_, POLLIN, 0};
                if (::poll(&ready, 1, 20) > 0) {
                    return (ready.revents & POLLIN) != 0;
                }
                if (!impl_.Pause(std::chrono::milliseconds(0))) {
                    return false;
                }
            }
            return false;
        }
        void Reset() override {
            if (fd_ >= 0) {
                linger hard{1, 0};
                ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &hard, sizeof(hard));
                Close();
            }
        }
        void Close() override {
            if (fd_ >= 0) {
                impl_.Forget(fd_);
                ::close(fd_);
                fd_ = -1;
            }
        }
        bool Open() const { return fd_ >= 0; }
        int Fd() const { return fd_; }

    private:
        int fd_;
        Impl& impl_;
    };
};

void RawServer::Impl::AcceptLoop() {
    for (;;) {
        pollfd fds[2] = {{listenFd, POLLIN, 0}, {wake[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 || fds[1].revents != 0) {
            return;
        }
        int fd = ::accept(listenFd, nullptr, nullptr);
        if (fd < 0) {
            continue;
        }
        int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof(one));
        std::lock_guard lock(mutex);
        if (stopping) {
            ::close(fd);
            return;
        }
        openFds.insert(fd);
        connectionThreads.emplace_back([this, fd, n = ++serial] { Serve(fd, n); });
    }
}

void RawServer::Impl::Serve(int fd, int connection) {
    SocketConnection socket(fd, *this);
    std::string buffer;
    while (socket.Open()) {
        std::size_t end;
        while ((end = buffer.find("\r\n\r\n")) == std::string::npos) {
            char chunk[4096];
            ssize_t got = ::recv(socket.Fd(), chunk, sizeof(chunk), 0);
            if (got <= 0) {
                return;
            }
            buffer.append(chunk, static_cast<std::size_t>(got));
        }
        std::string head = buffer.substr(0, end);
        buffer.erase(0, end + 4);
        Request request;
        request.connection = connection;
        std::size_t space = head.find(' ');
        request.method = head.substr(0, space);
        std::size_t targetEnd = head.find(' ', space + 1);
        std::string target = head.substr(space + 1, targetEnd - space - 1);
        request.path = target.substr(0, target.find('?'));
        Handler handler;
        {
            std::lock_guard lock(mutex);
            requests.push_back(request);
            if (auto it = handlers.find(request.path); it != handlers.end()) {
                handler = it->second;
            }
        }
        if (handler) {
            handler(request, socket);
        } else {
            socket.Send(Answer(404, "<html><body>404 Not Found</body></html>", "text/html"));
        }
    }
}

RawServer::RawServer() : impl_(std::make_unique<Impl>()) {
    Impl& impl = *impl_;
    impl.listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof(address);
    ::bind(impl.listenFd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    ::listen(impl.listenFd, SOMAXCONN);
    ::getsockname(impl.listenFd, reinterpret_cast<sockaddr*>(&address), &length);
    impl.port = ntohs(address.sin_port);
    if (::pipe2(impl.wake, O_CLOEXEC) != 0) {
        impl.wake[0] = impl.wake[1] = -1;
    }
    impl.acceptThread = std::thread([&impl] { impl.AcceptLoop(); });
}

RawServer::~RawServer() {
    Impl& impl = *impl_;
    std::vector<std::thread> threads;
    {
        std::lock_guard lock(impl.mutex);
        impl.stopping = true;
        for (const std::string& route : impl.routes) {
            ConnectToRules::Instance().Remove(route);
        }
    }
    impl.stopped.notify_all();
    (void)!::write(impl.wake[1], "x", 1);
    impl.acceptThread.join();
    {
        std::lock_guard lock(impl.mutex);
        // Connections waiting for a request wake up with nothing to read.
        for (int fd : impl.openFds) {
            ::shutdown(fd, SHUT_RDWR);
        }
        threads.swap(impl.connectionThreads);
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    ::close(impl.listenFd);
    ::close(impl.wake[0]);
    ::close(impl.wake[1]);
}

int RawServer::Port() const {
    return impl_->port;
}

std::u16string RawServer::BaseUrl16() const {
    return CodePage::FromUtf8("http://127.0.0.1:" + std::to_string(impl_->port));
}

void RawServer::Handle(const std::string& path, Handler handler) {
    std::lock_guard lock(impl_->mutex);
    impl_->handlers[path] = std::move(handler);
}

void RawServer::Route(const std::string& host, int port) {
    std::string rule = host + ":" + std::to_string(port) + ":127.0.0.1:" + std::to_string(impl_->port);
    if (ConnectToRules::Instance().Add(rule)) {
        std::lock_guard lock(impl_->mutex);
        impl_->routes.push_back(rule);
    }
}

std::vector<RawServer::Request> RawServer::Requests() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->requests;
}

std::vector<RawServer::Request> RawServer::RequestsTo(const std::string& path) const {
    std::vector<Request> matching;
    for (Request& request : Requests()) {
        if (request.path == path) {
            matching.push_back(std::move(request));
        }
    }
    return matching;
}

std::string RawServer::Answer(int status, std::string_view body, std::string_view contentType,
                              std::int64_t declared) {
    std::string reason = status == 200 ? "OK" : status == 404 ? "Not Found" : "Error";
    std::string answer = "HTTP/1.1 " + std::to_string(status) + " " + reason + "\r\n";
    answer += "Content-Type: " + std::string(contentType) + "\r\n";
    answer += "Content-Length: " +
              std::to_string(declared >= 0 ? declared : static_cast<std::int64_t>(body.size())) + "\r\n\r\n";
    answer += body;
    return answer;
}
