// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowStartUp.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMetaObject>
#include <QTimer>

#include <system_error>

#include "MyCode/CookieStore.h"
#include "platform/FileSystem.h"
#include "settings/History.h"
#include "settings/ProgramDir.h"
#include "settings/ProgramSettings.h"
#include "settings/SettingsFile.h"
#include "settings/qt/CComboBox2.h"
#include "sites/SiteCatalogue.h"
#include "ui/CSplashScreenEx.h"
#include "ui/CoverLoader.h"
#include "ui/LoginProfile.h"
#include "ui/MainLayout.h"
#include "ui/SaveFolderBox.h"
#include "ui/SiteChooser.h"
#include "ui/UserMessage.h"
#include "ui/WindowPlacement.h"
#include "ui/WindowRules.h"

WindowStartUp::WindowStartUp(QDialog& window, MainLayout& controls, ProgramSettings& settings,
                             CoverLoader& covers, SiteChooser& sites, SaveFolderBox& saveFolder)
    : window_(window),
      controls_(controls),
      settings_(settings),
      covers_(covers),
      sites_(sites),
      saveFolder_(saveFolder) {}

WindowStartUp::~WindowStartUp() {
    Close();
}

void WindowStartUp::Start(const std::u16string& programDir) {
    // The splash first, on screen before anything else is done.
    splash_ = new CSplashScreenEx;
    splash_->SetText(QString::fromUtf16(WindowRules::SPLASH_TEXT));
    splash_->Show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    // The notice line, over the status lines until the first album list.
    controls_.notice->setText(QString::fromUtf16(WindowRules::NOTICE_TEXT));

    // A copied address is ready to use.
    const std::u16string clipboard =
        WindowRules::ClipboardInput(QGuiApplication::clipboard()->text().toStdU16String());
    if (!clipboard.empty()) {
        controls_.input->setEditText(QString::fromStdU16String(clipboard));
    }

    // From the build tree the current folder; installed, the user's data folder.
    const ProgramDir::Choice place = ProgramDir::Settle(programDir);
    settings_.programDir = place.folder;
    // Settings and cookies that could not be kept would be lost without a word.
    unwritable_ = ProgramDir::UnwritablePart(place.folder);
    covers_.SetProgramFolder(place.folder);
    CookieStore::Instance().SetProgramFolder(settings_.programDir);
    LoginProfile::SetStorageFolder(QString::fromStdU16String(settings_.programDir) +
                                   QStringLiteral("webprofile/"));
    const std::u16string saveFolder =
        WindowRules::StartSaveFolder(ProgramDir::DefaultSaveFolder(place), FileSystem::DocumentsDirectory());
    if (saveFolder != settings_.programDir) {
        FileSystem::CreateDirectories(saveFolder);
    }
    saveFolder_.SetFolder(saveFolder);

    SettingsFile::Load(settings_);
    controls_.input->SetHistory(History::NonEmpty(settings_.inputHistory));
    controls_.savePath->SetHistory(History::NonEmpty(settings_.pathHistory));
    if (!settings_.pathHistory[0].empty()) {
        saveFolder_.SetFolder(settings_.pathHistory[0]);
    }

    window_.hide();
    const std::u16string input = controls_.input->currentText().toStdU16String();
    auto startUp = [this, input] {
        DetectedSite detected = DetectSite(input);
        QMetaObject::invokeMethod(
            &window_, [this] { OnDone(); }, Qt::QueuedConnection);
        QMetaObject::invokeMethod(
            &window_, [this, detected] { sites_.Fill(detected); }, Qt::QueuedConnection);
        ready_ = 1;
    };
    try {
        thread_ = std::thread(startUp);
    } catch (const std::system_error&) {
        startUp();
    }
}

void WindowStartUp::OnDone() {
    // Drawn once off screen first: polishing, the layout and the first load of the fonts (the
    // Chinese ones take a moment) happen before the window is mapped, so its first frame comes at
    // once instead of after a black moment.
    window_.ensurePolished();
    if (window_.layout() != nullptr) {
        window_.layout()->activate();
    }
    // Where the user left the window last time.
    WindowPlacement::Restore(window_, settings_.programDir);
    window_.grab();
    window_.show();
    window_.raise();
    window_.activateWindow();
    ready_ = 1;
    QTimer::singleShot(SPLASH_LONGEST_MS, &window_, [this] { CloseSplash(); });
    if (!unwritable_.empty()) {
        // After the start-up's last step, over the window that now shows.
        QTimer::singleShot(0, &window_, [this] { TellUnwritable(); });
    }
}

void WindowStartUp::Painted() {
    // The drawing off screen before the window shows does not count.
    if (!painted_ && window_.isVisible()) {
        painted_ = true;
        QTimer::singleShot(0, &window_, [this] { CloseSplash(); });
    }
}

void WindowStartUp::CloseSplash() {
    // The splash stays over the window until the window has painted itself.
    if (CSplashScreenEx* splash = splash_.data()) {
        splash_ = nullptr;
        splash->FadeOut(200);
    }
}

void WindowStartUp::TellUnwritable() {
    // A window closed in the meantime has nothing to tell it over.
    if (!window_.isVisible()) {
        return;
    }
    const std::u16string part = std::move(unwritable_);
    unwritable_.clear();
    ShowUserMessage(window_, WindowRules::UnwritableNotice(settings_.programDir, part), u"提示", false);
}

void WindowStartUp::Close() {
    if (thread_.joinable()) {
        thread_.join();
    }
    if (splash_) {
        splash_->close();
    }
}
