// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LoginProfile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

#include "MyCode/CookieStore.h"
#include "settings/ProgramDir.h"

namespace LoginProfile {

namespace {

QString& StorageFolder() {
    static QString folder;
    return folder;
}

QString WithSlash(QString folder) {
    if (!folder.isEmpty() && !folder.endsWith(u'/')) {
        folder += u'/';
    }
    return folder;
}

void OnCookieAdded(const QNetworkCookie& browserCookie) {
    Cookie cookie;
    if (ToStoreCookie(browserCookie, cookie)) {
        CookieStore::Instance().Add(cookie);
    }
}

QWebEngineProfile* MakeProfile() {
    QString folder = StorageFolder();
    if (folder.isEmpty()) {
        folder = QString::fromStdU16String(ProgramDirectory()) + QStringLiteral("webprofile/");
    }
    folder = WithSlash(folder);
    auto* profile = new QWebEngineProfile(QStringLiteral("login"), QCoreApplication::instance());
    profile->setPersistentStoragePath(folder);
    profile->setCachePath(folder + QStringLiteral("cache/"));
    profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
    // The sites are Chinese and so is the window: pages in Chinese whatever the system's language.
    profile->setHttpAcceptLanguage(QString::fromLatin1(ACCEPT_LANGUAGE));
    QObject::connect(profile->cookieStore(), &QWebEngineCookieStore::cookieAdded, profile, &OnCookieAdded);
    return profile;
}

}  // namespace

void SetStorageFolder(const QString& folder) {
    StorageFolder() = folder;
}

QWebEngineProfile* Profile() {
    static QWebEngineProfile* profile = MakeProfile();
    return profile;
}

void LoadStoreCookies() {
    QWebEngineCookieStore* browserStore = Profile()->cookieStore();
    for (const Cookie& cookie : CookieStore::Instance().All()) {
        QUrl origin;
        QNetworkCookie browserCookie = ToBrowserCookie(cookie, origin);
        browserStore->setCookie(browserCookie, origin);
    }
}

bool ToStoreCookie(const QNetworkCookie& browserCookie, Cookie& out) {
    QString domain = browserCookie.domain();
    Cookie cookie;
    cookie.includeSubdomains = domain.startsWith(u'.');
    if (cookie.includeSubdomains) {
        domain.remove(0, 1);
    }
    cookie.domain = domain.toLower().toStdString();
    cookie.name = browserCookie.name().toStdString();
    if (cookie.domain.empty() || cookie.name.empty()) {
        return false;
    }
    cookie.value = browserCookie.value().toStdString();
    cookie.path = browserCookie.path().isEmpty() ? std::string("/") : browserCookie.path().toStdString();
    cookie.secure = browserCookie.isSecure();
    cookie.httpOnly = browserCookie.isHttpOnly();
    if (!browserCookie.isSessionCookie()) {
        // 0 would make it a session cookie; a time before the epoch is simply long gone.
        cookie.expires = std::max<qint64>(1, browserCookie.expirationDate().toSecsSinceEpoch());
    }
    out = std::move(cookie);
    return true;
}

QNetworkCookie ToBrowserCookie(const Cookie& cookie, QUrl& origin) {
    QNetworkCookie browserCookie(QByteArray::fromStdString(cookie.name),
                                 QByteArray::fromStdString(cookie.value));
    const QString domain = QString::fromStdString(cookie.domain);
    const QString path = QString::fromStdString(cookie.path.empty() ? std::string("/") : cookie.path);
    browserCookie.setPath(path);
    browserCookie.setSecure(cookie.secure);
    browserCookie.setHttpOnly(cookie.httpOnly);
    if (!cookie.IsSession()) {
        browserCookie.setExpirationDate(QDateTime::fromSecsSinceEpoch(cookie.expires));
    }
    if (cookie.includeSubdomains) {
        browserCookie.setDomain(u'.' + domain);
    }
    origin = QUrl(QStringLiteral("%1://%2%3")
                      .arg(cookie.secure ? QStringLiteral("https") : QStringLiteral("http"), domain, path));
    return browserCookie;
}

}  // namespace LoginProfile
