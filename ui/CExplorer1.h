// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWebEngineView>

class QWebEngineProfile;

// The login window's browser. Only navigating is asked of it; pages that open a new window open
// in this one, since the login window has nowhere else to show them.
class CExplorer1 : public QWebEngineView {
    Q_OBJECT
public:
    CExplorer1(QWebEngineProfile* profile, QWidget* parent = nullptr);

    // Goes to an address as the user typed it; one without a scheme is taken as a web address.
    void Navigate(const QString& url);

protected:
    QWebEngineView* createWindow(QWebEnginePage::WebWindowType type) override;
};
