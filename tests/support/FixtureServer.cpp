// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FixtureServer.h"

#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <thread>

#include "MyCode/ConnectToRules.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"

namespace {

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Calls f(fd, connected) for each of this process's sockets whose local port is port: the server's
// listening socket and its ends of the connections.
template <typename F>
void ForEachSocketOnPort(int port, F f) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", ec)) {
        int fd = std::atoi(entry.path().filename().c_str());
        sockaddr_in local{};
        socklen_t length = sizeof(local);
        if (::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0 ||
            local.sin_family != AF_INET || ntohs(local.sin_port) != port) {
            continue;
        }
        sockaddr_in peer{};
        length = sizeof(peer);
        f(fd, ::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &length) == 0);
    }
}

}  // namespace

std::string FixtureRequest::Header(std::string_view name) const {
    for (const auto& [key, value] : headers) {
        if (EqualsNoCase(key, name)) {
            return value;
        }
    }
    return {};
}

std::string FixtureRequest::Param(const std::string& name) const {
    auto it = params.find(name);
    return it == params.end() ? std::string() : it->second;
}

struct FixtureServer::Impl {
    explicit Impl(Scheme scheme_)
        : scheme(scheme_),
          owned(scheme_ == Scheme::Https ? std::make_unique<httplib::SSLServer>(TlsFile("cert.pem").c_str(),
                                                                                TlsFile("key.pem").c_str())
                                         : std::make_unique<httplib::Server>()),
          server(*owned) {}

    static std::string TlsFile(const char* name) { return std::string(ORVELLE_FIXTURES) + "/tls/" + name; }

    Scheme scheme;
    std::unique_ptr<httplib::Server> owned;
    httplib::Server& server;
    std::thread thread;
    int port = -1;

    mutable std::mutex mutex;
    std::condition_variable stopped;
    bool stopping = false;
    std::map<std::string, Handler> handlers;
    std::vector<FixtureRequest> requests;
    std::vector<std::string> routes;

    bool Pause(std::chrono::milliseconds duration) {
        std::unique_lock lock(mutex);
        return !stopped.wait_for(lock, duration, [this] { return stopping; });
    }

    void Dispatch(const httplib::Request& req, httplib::Response& res);

    // What a streaming handler writes to.
    class SinkStream : public FixtureStream {
    public:
        SinkStream(httplib::DataSink& sink, Impl& impl) : sink_(sink), impl_(impl) {}
        bool Write(std::string_view bytes) override {
            if (!sink_.write(bytes.data(), bytes.size())) {
                return false;
            }
            written_ += bytes.size();
            return true;
        }
        bool Pause(std::chrono::milliseconds duration) override { return impl_.Pause(duration); }
        std::size_t Written() const { return written_; }

    private:
        httplib::DataSink& sink_;
        Impl& impl_;
        std::size_t written_ = 0;
    };
};

void FixtureServer::Impl::Dispatch(const httplib::Request& req, httplib::Response& res) {
    FixtureRequest request;
    request.method = req.method;
    request.target = req.target;
    request.path = req.path;
    request.params.insert(req.params.begin(), req.params.end());
    request.headers.assign(req.headers.begin(), req.headers.end());
    request.body = req.body;
    request.remotePort = req.remote_port;
    Handler handler;
    {
        std::lock_guard lock(mutex);
        requests.push_back(request);
        if (auto it = handlers.find(req.path); it != handlers.end()) {
            handler = it->second;
        }
    }
    FixtureReply reply;
    if (handler) {
        handler(request, reply);
    } else {
        reply.status = 404;
        reply.body = "<html><body>404 Not Found</body></html>";
    }
    res.status = reply.status;
    bool typed = false;
    for (const auto& [name, value] : reply.headers) {
        typed = typed || EqualsNoCase(name, "Content-Type");
        res.headers.emplace(name, value);
    }
    std::string contentType = typed ? res.get_header_value("Content-Type") : reply.contentType;
    if (!reply.stream) {
        res.set_content(reply.body, contentType.c_str());
        return;
    }
    auto stream = reply.stream;
    if (reply.declaredLength >= 0) {
        auto length = static_cast<std::size_t>(reply.declaredLength);
        auto started = std::make_shared<bool>(false);
        res.set_content_provider(
            length, contentType.c_str(),
            [this, stream, length, started](std::size_t, std::size_t, httplib::DataSink& sink) {
                if (*started) {
                    return false;  // wrote less than declared: cut the connection
                }
                *started = true;
                SinkStream out(sink, *this);
                stream(out);
                return out.Written() >= length;
            });
    } else {
        res.set_chunked_content_provider(contentType.c_str(),
                                         [this, stream](std::size_t, httplib::DataSink& sink) {
                                             SinkStream out(sink, *this);
                                             stream(out);
                                             sink.done();
                                             return true;
                                         });
    }
}

FixtureServer::FixtureServer(Scheme scheme) : impl_(std::make_unique<Impl>(scheme)) {
    for (const char* name :
         {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"}) {
        ::unsetenv(name);
    }
    Impl& impl = *impl_;
    impl.server.new_task_queue = [] { return new httplib::ThreadPool(32); };
    impl.server.set_keep_alive_max_count(100);
    impl.server.set_tcp_nodelay(true);  // no 40 ms wait between the header and body writes
    auto dispatch = [&impl](const httplib::Request& req, httplib::Response& res) { impl.Dispatch(req, res); };
    impl.server.Get(".*", dispatch);
    impl.server.Post(".*", dispatch);
    impl.server.Put(".*", dispatch);
    impl.server.Patch(".*", dispatch);
    impl.server.Delete(".*", dispatch);
    impl.server.Options(".*", dispatch);
    impl.port = impl.server.bind_to_any_port("127.0.0.1");
    // The library listens with a backlog of 5; a pool of download workers connecting at once would
    // overflow it and wait a second for the SYN to be sent again.
    ForEachSocketOnPort(impl.port, [](int fd, bool connected) {
        if (!connected) {
            ::listen(fd, SOMAXCONN);
        }
    });
    // The socket listens already, so requests made before the thread runs just queue.
    impl.thread = std::thread([&impl] { impl.server.listen_after_bind(); });
    // A stop before the loop runs would be lost and the destructor would wait for ever.
    for (int i = 0; i < 5000 && !impl.server.is_running(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

FixtureServer::~FixtureServer() {
    {
        std::lock_guard lock(impl_->mutex);
        impl_->stopping = true;
        for (const std::string& route : impl_->routes) {
            ConnectToRules::Instance().Remove(route);
        }
    }
    impl_->stopped.notify_all();
    impl_->server.stop();
    // Idle keep-alive connections would hold the server's threads for seconds after a stop.
    ForEachSocketOnPort(impl_->port, [](int fd, bool connected) {
        if (connected) {
            ::shutdown(fd, SHUT_RDWR);
        }
    });
    if (impl_->thread.joinable()) {
        impl_->thread.join();
    }
}

int FixtureServer::Port() const {
    return impl_->port;
}

std::string FixtureServer::BaseUrl() const {
    return std::string(impl_->scheme == Scheme::Https ? "https" : "http") +
           "://127.0.0.1:" + std::to_string(impl_->port);
}

std::string FixtureServer::TestCertificate() {
    std::string pem;
    FileSystem::ReadFile(CodePage::FromUtf8(Impl::TlsFile("cert.pem")), pem);
    return pem;
}

std::u16string FixtureServer::BaseUrl16() const {
    return CodePage::FromUtf8(BaseUrl());
}

void FixtureServer::Handle(const std::string& path, Handler handler) {
    std::lock_guard lock(impl_->mutex);
    impl_->handlers[path] = std::move(handler);
}

void FixtureServer::Serve(const std::string& path, std::string body, std::string contentType) {
    Handle(path, [body = std::move(body), contentType = std::move(contentType)](const FixtureRequest&,
                                                                                FixtureReply& reply) {
        reply.body = body;
        reply.contentType = contentType;
    });
}

void FixtureServer::Route(const std::string& host, int port) {
    std::string rule = host + ":" + std::to_string(port) + ":127.0.0.1:" + std::to_string(impl_->port);
    if (ConnectToRules::Instance().Add(rule)) {
        std::lock_guard lock(impl_->mutex);
        impl_->routes.push_back(rule);
    }
}

bool FixtureServer::Pause(std::chrono::milliseconds duration) {
    return impl_->Pause(duration);
}

std::vector<FixtureRequest> FixtureServer::Requests() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->requests;
}

std::vector<FixtureRequest> FixtureServer::RequestsTo(const std::string& path) const {
    std::vector<FixtureRequest> matching;
    for (FixtureRequest& request : Requests()) {
        if (request.path == path) {
            matching.push_back(std::move(request));
        }
    }
    return matching;
}

void FixtureServer::ClearRequests() {
    std::lock_guard lock(impl_->mutex);
    impl_->requests.clear();
}
