// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

class CExplorer1;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolButton;

// The login browser: the user logs in to a site here and closes the window; the cookies the site
// set are then sent with every later request. Opened at a start address, it goes there at once;
// opened without one, it shows the clipboard text in its address box and waits for "打开". Back,
// reload and a loading bar help through a login of several pages.
class CDlgWebOpen : public QDialog {
    Q_OBJECT
public:
    // What the user comes to do, which the title tells: log in, or type an album's password.
    enum class Page { Login, Password };

    CDlgWebOpen(const QString& startUrl, QWidget* parent = nullptr, Page page = Page::Login);

    CExplorer1* Browser() const { return browser_; }
    QLineEdit* AddressBox() const { return address_; }
    QToolButton* BackButton() const { return back_; }
    QToolButton* ReloadButton() const { return reload_; }
    // Shown while a page loads, with how far it has come.
    QProgressBar* LoadProgress() const { return progress_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Open();

    QLineEdit* address_ = nullptr;
    QPushButton* open_ = nullptr;
    QToolButton* back_ = nullptr;
    QToolButton* reload_ = nullptr;
    QProgressBar* progress_ = nullptr;
    CExplorer1* browser_ = nullptr;
};
