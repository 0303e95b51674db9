// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CVeyraApp.h"

#include <QClipboard>
#include <QLibraryInfo>
#include <QThread>
#include <QTranslator>

#include <unistd.h>
#include <cstdlib>
#include <string>

#include "MyCode/StringCtrl.h"
#include "ui/AppArt.h"
#include "ui/CVeyraDlg.h"
#include "ui/FileTypeTranslator.h"

void CVeyraApp::PrepareProcess() {
    if (geteuid() == 0) {
        // Chromium refuses to start its sandbox as root; a value the user set wins.
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The window speaks Chinese whatever the system's language, and so do Qt's own parts: the
    // dialogs' models, dates and numbers follow the default locale, and Chromium shows its own
    // pages (a site that cannot be reached) in the language it is started with.
    QLocale::setDefault(ChineseLocale());
    std::string flags;
    if (const char* set = std::getenv("QTWEBENGINE_CHROMIUM_FLAGS")) {
        flags = set;
    }
    if (flags.find("--lang=") == std::string::npos) {
        flags += flags.empty() ? "--lang=zh-CN" : " --lang=zh-CN";
        setenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.c_str(), 1);
    }
}

QLocale CVeyraApp::ChineseLocale() {
    return QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China);
}

CVeyraApp::CVeyraApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Orvelle"));
    setApplicationVersion(QStringLiteral("14.06.20.01"));
    setWindowIcon(AppArt::AppIcon());
    // Ties the window to the installed menu entry, so docks show its name and icon.
    setDesktopFileName(QStringLiteral("orvelle"));
    LoadQtTranslations(QLocale::system());
    // The main window ends the program; a login window left open does not keep it running, and
    // the splash closing before the window shows does not end it.
    setQuitOnLastWindowClosed(false);
    // The clipboard belongs to the window thread; the job threads ask through the window port.
    StringCtrl::SetClipboardProvider([this]() -> std::u16string {
        if (QThread::currentThread() != thread()) {
            return {};
        }
        return clipboard()->text().toStdU16String();
    });
}

bool CVeyraApp::LoadQtTranslations(const QLocale& system) {
    const QLocale locale =
        system.language() == QLocale::Chinese ? system : QLocale(QLocale::Chinese, QLocale::China);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool loaded = false;
    // qtbase holds the dialogs' and the standard buttons' texts; qtwebengine the login browser's.
    for (const char* catalogue : {"qtbase", "qtwebengine"}) {
        auto* translator = new QTranslator(qApp);
        if (translator->load(locale, QString::fromLatin1(catalogue), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator);
            loaded = true;
        } else {
            delete translator;
        }
    }
    if (loaded) {
        // Installed last, so it is asked first; it answers only the words Qt's catalogue lacks.
        QCoreApplication::installTranslator(new FileTypeTranslator(qApp));
    }
    return loaded;
}

CVeyraApp::~CVeyraApp() {
    StringCtrl::SetClipboardProvider(nullptr);
}

int CVeyraApp::Run() {
    CVeyraDlg window;
    connect(&window, &QDialog::finished, this, &QCoreApplication::quit);
    window.StartUp();
    return exec();
}
