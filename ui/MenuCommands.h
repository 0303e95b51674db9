// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QUrl>

#include <functional>

class CComboBox2;
class CDlgWebOpen;
class QAction;
class QDialog;
class QMenuBar;
class SiteChooser;
struct ProgramSettings;

// Menu 129 on the window and its commands: the login items open one login browser at a time, the
// settings items the two settings dialogs and the option toggles of the site type the site box
// shows, the tools and help items the user guide, and the About box.
class MenuCommands {
public:
    // open shows a web page or a folder.
    MenuCommands(QDialog& window, ProgramSettings& settings, const SiteChooser& sites,
                 const CComboBox2& input, std::function<void(const QUrl&)> open);
    ~MenuCommands();
    MenuCommands(const MenuCommands&) = delete;
    MenuCommands& operator=(const MenuCommands&) = delete;

    QMenuBar* Bar() const { return bar_; }
    // The menu item of a command id.
    QAction* Action(int commandId) const;
    // The login window the login menu opened last, while it exists.
    CDlgWebOpen* LoginWindow() const { return login_; }
    // Closes the login window the menu opened.
    void CloseLoginWindow();

    // The user guide that ships with the program: beside the executable (where the build puts a
    // copy too) or in the installed share folder; never in the current folder. An empty url when
    // there is none. The tools item opens its part on the files a download leaves.
    static QUrl HelpPage();
    static QUrl FileToolsPage();

private:
    void OnCommand(int commandId);
    // The check marks and the enabling of the option items, for the site type shown.
    void UpdateOptionItems();
    void OpenLogin(int commandId);

    QDialog& window_;
    ProgramSettings& settings_;
    const SiteChooser& sites_;
    const CComboBox2& input_;
    std::function<void(const QUrl&)> open_;
    QMenuBar* bar_ = nullptr;
    QPointer<CDlgWebOpen> login_;
};
