#include "ui/CVeyraApp.h"

#include <QClipboard>
#include <QThread>

#include <unistd.h>
#include <cstdlib>

#include "MyCode/StringCtrl.h"
#include "ui/AppArt.h"
#include "ui/CVeyraDlg.h"

void CVeyraApp::PrepareProcess() {
    if (geteuid() == 0) {
        // Chromium refuses to start its sandbox as root; a value the user set wins.
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

CVeyraApp::CVeyraApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Orvelle"));
    setApplicationVersion(QStringLiteral("14.06.20.01"));
    setWindowIcon(AppArt::AppIcon());
    // Ties the window to the installed menu entry, so docks show its name and icon.
    setDesktopFileName(QStringLiteral("orvelle"));
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

CVeyraApp::~CVeyraApp() {
    StringCtrl::SetClipboardProvider(nullptr);
}

int CVeyraApp::Run() {
    CVeyraDlg window;
    connect(&window, &QDialog::finished, this, &QCoreApplication::quit);
    window.StartUp();
    return exec();
}
