// SPDX-License-Identifier: GPL-3.0-or-later
#include "MyCode/CurlShare.h"

#include <mutex>

namespace {

// One lock per kind of shared data, so a DNS look-up never waits for a cookie update.
std::mutex g_locks[CURL_LOCK_DATA_LAST];

void Lock(CURL*, curl_lock_data data, curl_lock_access, void*) {
    g_locks[data].lock();
}
void Unlock(CURL*, curl_lock_data data, void*) {
    g_locks[data].unlock();
}

}  // namespace

CurlShare& CurlShare::Instance() {
    static CurlShare* instance = new CurlShare();
    return *instance;
}

CurlShare::CurlShare() {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    share_ = curl_share_init();
    curl_share_setopt(share_, CURLSHOPT_LOCKFUNC, Lock);
    curl_share_setopt(share_, CURLSHOPT_UNLOCKFUNC, Unlock);
    curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
    curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT);
    curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
    curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_PSL);
}

void CurlShare::Attach(CURL* easy) {
    curl_easy_setopt(easy, CURLOPT_SHARE, share_);
    // An empty file name turns the cookie engine on without reading a file.
    curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");
}
