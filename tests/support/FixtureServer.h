// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A request as the fixture server received it.
struct FixtureRequest {
    std::string method;
    std::string target;  // path and query exactly as sent, still percent-encoded
    std::string path;    // decoded path
    std::multimap<std::string, std::string> params;
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    int remotePort = -1;  // the client's port: two requests on one connection share it

    // The first header of that name, matched without case; empty when missing.
    std::string Header(std::string_view name) const;
    std::string Param(const std::string& name) const;
};

// What a pause or a write inside a streamed reply can do.
class FixtureStream {
public:
    virtual ~FixtureStream() = default;
    // Sends bytes now; false once the client has gone.
    virtual bool Write(std::string_view bytes) = 0;
    // Waits; false at once when the server is being stopped, so a stalling handler ends quickly.
    virtual bool Pause(std::chrono::milliseconds duration) = 0;
};

struct FixtureReply {
    int status = 200;
    std::string contentType = "text/html";
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    // When set, the body is produced by this function instead, piece by piece, with Content-Length
    // declaredLength or chunked when that is negative. Writing less than declared cuts the
    // connection short.
    std::function<void(FixtureStream&)> stream;
    std::int64_t declaredLength = -1;
};

// An HTTP server on 127.0.0.1 with an ephemeral port for the tests, running on its own threads from
// construction to destruction. Handlers may be added at any time; an unknown path answers 404.
// Note that text replies are gzipped by the server when the request accepts gzip, as sites do.
class FixtureServer {
public:
    using Handler = std::function<void(const FixtureRequest&, FixtureReply&)>;

    enum class Scheme { Http, Https };

    // Starts the server. Proxy variables are cleared so that requests to it are never sent to a
    // proxy. An https server shows the test certificate of tests/fixtures/tls, made for the shops'
    // hosts and Weibo's; the HTTP client must trust it (SetTrustedCertificates(TestCertificate()), or
    // CURL_CA_BUNDLE for orvelle-cli).
    explicit FixtureServer(Scheme scheme = Scheme::Http);
    // The test certificate, PEM.
    static std::string TestCertificate();
    ~FixtureServer();
    FixtureServer(const FixtureServer&) = delete;
    FixtureServer& operator=(const FixtureServer&) = delete;

    int Port() const;
    // "http://127.0.0.1:PORT" ("https://" for an https server)
    std::string BaseUrl() const;
    std::u16string BaseUrl16() const;

    // Answers requests of any method to exactly this path (without the query).
    void Handle(const std::string& path, Handler handler);
    // A fixed reply.
    void Serve(const std::string& path, std::string body, std::string contentType = "text/html");

    // Sends requests for host:port to this server through a connect-to rule, removed again when
    // the server goes.
    void Route(const std::string& host, int port = 80);

    // Waits in a handler that answers late; false at once when the server is being stopped.
    bool Pause(std::chrono::milliseconds duration);

    // Every request received so far, oldest first, and those to one path.
    std::vector<FixtureRequest> Requests() const;
    std::vector<FixtureRequest> RequestsTo(const std::string& path) const;
    void ClearRequests();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
