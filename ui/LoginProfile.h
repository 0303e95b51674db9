// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QNetworkCookie>
#include <QString>
#include <QUrl>

#include "MyCode/Cookie.h"

class QWebEngineProfile;

// The login browser's one profile of the process, kept on disk in the program folder, and its
// bridge to the HTTP client's cookie store: every cookie a page sets goes into the store (and so
// into "cookies.txt"), and LoadStoreCookies() hands the store's cookies to the browser, so a login
// made in an earlier run still counts.
namespace LoginProfile {

// The languages the login browser asks the sites for.
constexpr char ACCEPT_LANGUAGE[] = "zh-CN,zh;q=0.9";

// Where the profile keeps its data; only a call before the first Profile() takes effect. Without
// one it is the program folder's "webprofile/".
void SetStorageFolder(const QString& folder);

// The profile, made on first use; it lives as long as the application object.
QWebEngineProfile* Profile();

// Sets every cookie of the HTTP client's store in the profile.
void LoadStoreCookies();

// A browser cookie as the store keeps it. False for one the store cannot hold (no domain or name).
bool ToStoreCookie(const QNetworkCookie& browserCookie, Cookie& out);
// A store cookie for the browser, with the address it belongs to: a host-only cookie carries no
// domain and takes its host from origin, so it stays host-only.
QNetworkCookie ToBrowserCookie(const Cookie& cookie, QUrl& origin);

}  // namespace LoginProfile
