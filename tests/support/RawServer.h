// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// An HTTP server on 127.0.0.1 that answers at the socket level, for the answers no well-behaved
// server gives: a reset, a stall, a Content-Length that lies. Each connection runs on its own
// thread and serves its requests one after another (keep-alive) until its handler ends it. An
// unknown path answers 404.
class RawServer {
public:
    struct Request {
        std::string method;
        std::string path;    // without the query
        int connection = 0;  // the serial number of the connection it came on, from 1
    };

    // One connection, as a handler sees it.
    class Connection {
    public:
        virtual ~Connection() = default;
        // Sends bytes now; false once the client has gone.
        virtual bool Send(std::string_view bytes) = 0;
        // Waits; false at once when the server is being stopped.
        virtual bool Pause(std::chrono::milliseconds duration) = 0;
        // Waits until the client has sent more bytes on this connection (its next request), at
        // most timeout; false when none came or the server is being stopped.
        virtual bool WaitForRequest(std::chrono::milliseconds timeout) = 0;
        // Ends the connection with a reset (RST), as a crashed or hostile server does.
        virtual void Reset() = 0;
        // Ends the connection with an orderly close.
        virtual void Close() = 0;
    };
    using Handler = std::function<void(const Request&, Connection&)>;

    RawServer();
    ~RawServer();
    RawServer(const RawServer&) = delete;
    RawServer& operator=(const RawServer&) = delete;

    int Port() const;
    std::u16string BaseUrl16() const;  // "http://127.0.0.1:PORT"
    void Handle(const std::string& path, Handler handler);
    // Sends requests for host:port here through a connect-to rule, removed when the server goes.
    void Route(const std::string& host, int port = 80);

    std::vector<Request> Requests() const;
    std::vector<Request> RequestsTo(const std::string& path) const;

    // A whole answer: status line, Content-Type, Content-Length (the body's own length unless
    // declared is given) and body.
    static std::string Answer(int status, std::string_view body, std::string_view contentType = "image/jpeg",
                              std::int64_t declared = -1);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
