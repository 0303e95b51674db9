// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CExplorer1.h"

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>

CExplorer1::CExplorer1(QWebEngineProfile* profile, QWidget* parent) : QWebEngineView(parent) {
    setPage(new QWebEnginePage(profile, this));
}

void CExplorer1::Navigate(const QString& url) {
    QUrl target = QUrl::fromUserInput(url.trimmed());
    if (target.isValid()) {
        load(target);
    }
}

QWebEngineView* CExplorer1::createWindow(QWebEnginePage::WebWindowType) {
    return this;
}
