// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <curl/curl.h>

// The one curl share handle of the process: cookies, DNS answers, the connection cache and TLS
// sessions pass between all requests of all threads, so a picture host's connection is opened once
// and a cookie set by one response is sent by the next request anywhere in the program.
class CurlShare {
public:
    // Initialises libcurl on first use. The share lives until the process ends: download threads are
    // never joined, so it must not be torn down under them at exit.
    static CurlShare& Instance();

    // Attaches an easy handle to the share and switches its cookie engine on.
    void Attach(CURL* easy);

private:
    CurlShare();
    CURLSH* share_ = nullptr;
};
