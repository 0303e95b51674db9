// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MenuCommands.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>

#include <cstdint>
#include <vector>

#include "settings/OptionToggles.h"
#include "settings/ProgramSettings.h"
#include "settings/SettingsEdits.h"
#include "settings/qt/CComboBox2.h"
#include "settings/qt/CDlgDownSet.h"
#include "settings/qt/CDlgSaveSet.h"
#include "ui/CAboutDlg.h"
#include "ui/CDlgWebOpen.h"
#include "ui/ControlIds.h"
#include "ui/LoginPages.h"
#include "ui/MainMenu.h"
#include "ui/SiteChooser.h"
#include "ui/UserMessage.h"

namespace {

constexpr char kGuideFile[] = "guide/guide.html";

}  // namespace

MenuCommands::MenuCommands(QDialog& window, ProgramSettings& settings, const SiteChooser& sites,
                           const CComboBox2& input, std::function<void(const QUrl&)> open)
    : window_(window), settings_(settings), sites_(sites), input_(input), open_(std::move(open)) {
    bar_ = new QMenuBar(&window);
    bar_->setObjectName("m129");
    const std::vector<MainMenu::Popup>& popups = MainMenu::Popups();
    for (std::size_t i = 0; i < popups.size(); ++i) {
        const MainMenu::Popup& popup = popups[i];
        if (static_cast<int>(i) == MainMenu::BLANK_BEFORE_POPUP) {
            bar_->addAction(QString::fromUtf16(MainMenu::BLANK_ENTRY))->setEnabled(false);
        }
        QMenu* menu = bar_->addMenu(QString::fromUtf16(popup.title));
        menu->setObjectName(QStringLiteral("popup%1").arg(i));
        for (const MainMenu::Item& item : popup.items) {
            if (item.id == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromUtf16(item.text));
            action->setObjectName(ControlName(item.id));
            action->setData(item.id);
            action->setCheckable(MainMenu::OptionOf(item.id) != 0);
            const int id = item.id;
            QObject::connect(action, &QAction::triggered, &window, [this, id] { OnCommand(id); });
        }
        if (!popup.enabled) {
            // Its commands are not built: a greyed title that never opens only puzzles the user.
            menu->setEnabled(false);
            menu->menuAction()->setEnabled(false);
            menu->menuAction()->setVisible(false);
        }
        if (popup.items.front().id == MainMenu::ID_DOWNLOAD_SETTINGS) {
            QObject::connect(menu, &QMenu::aboutToShow, &window, [this] { UpdateOptionItems(); });
        }
    }
    window.layout()->setMenuBar(bar_);
}

MenuCommands::~MenuCommands() {
    delete login_;
}

QAction* MenuCommands::Action(int commandId) const {
    return bar_->findChild<QAction*>(ControlName(commandId));
}

void MenuCommands::CloseLoginWindow() {
    if (login_) {
        login_->close();
    }
}

void MenuCommands::OnCommand(int commandId) {
    if (MainMenu::IsLoginItem(commandId)) {
        OpenLogin(commandId);
        return;
    }
    const int siteType = sites_.SiteType();
    if (const std::uint16_t flag = MainMenu::OptionOf(commandId); flag != 0) {
        SettingsEdits::ToggleOption(settings_, siteType, static_cast<OptionFlag>(flag));
        UpdateOptionItems();
        return;
    }
    switch (commandId) {
        case MainMenu::ID_DOWNLOAD_SETTINGS: {
            CDlgDownSet dialog(settings_, siteType, &window_);
            dialog.exec();
            break;
        }
        case MainMenu::ID_NAME_SETTINGS: {
            CDlgSaveSet dialog(settings_, siteType, &window_);
            dialog.exec();
            break;
        }
        case MainMenu::ID_FILE_TOOLS:
        case MainMenu::ID_HELP: {
            const QUrl page = commandId == MainMenu::ID_HELP ? HelpPage() : FileToolsPage();
            if (page.isEmpty()) {
                ShowUserMessage(window_, u"找不到使用说明（guide/guide.html），请重新安装程序", u"提示",
                                false);
            } else {
                open_(page);
            }
            break;
        }
        case MainMenu::ID_ABOUT: {
            CAboutDlg about(&window_);
            about.exec();
            break;
        }
        default:
            break;
    }
}

void MenuCommands::UpdateOptionItems() {
    const int siteType = sites_.SiteType();
    const std::uint16_t options = settings_.Slot(siteType).naming.options;
    for (const OptionToggles::OptionItem& item : OptionToggles::ITEMS) {
        if (QAction* action = Action(MainMenu::OptionItem(item.flag))) {
            action->setChecked(OptionToggles::IsChecked(options, item.flag));
            action->setEnabled(OptionToggles::IsEnabled(item.flag, siteType));
        }
    }
}

void MenuCommands::OpenLogin(int commandId) {
    const QString url = LoginPageFor(commandId, input_.currentText().toStdU16String(), sites_.SubMode());
    // One login window from the menu at a time: the next choice replaces it, open or closed.
    delete login_;
    login_ = new CDlgWebOpen(url, &window_);
    login_->setAttribute(Qt::WA_DeleteOnClose);
    login_->show();
}

QUrl MenuCommands::HelpPage() {
    // Only places fixed by where the program is: the current folder is whatever the user started
    // it from, and a file there is not ours to open.
    const QString appDir = QCoreApplication::applicationDirPath();
    const QString guide = QString::fromLatin1(kGuideFile);
    const QStringList candidates = {
        appDir + QLatin1Char('/') + guide,                      // beside the program
        appDir + QStringLiteral("/../") + guide,                // the build tree
        appDir + QStringLiteral("/../share/orvelle/") + guide,  // installed
    };
    for (const QString& candidate : candidates) {
        QFileInfo file(candidate);
        if (file.isFile()) {
            return QUrl::fromLocalFile(file.canonicalFilePath());
        }
    }
    return {};
}

QUrl MenuCommands::FileToolsPage() {
    QUrl page = HelpPage();
    if (!page.isEmpty()) {
        page.setFragment(QStringLiteral("files"));
    }
    return page;
}
