// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QLocale>

// The application object: it creates the main window, starts it up and runs until the window has
// closed. It reads no command-line arguments of its own (Qt's, such as -platform, still work).
class CVeyraApp : public QApplication {
    Q_OBJECT
public:
    // What must be settled before the application object exists: the login browser's engine
    // needs shared GL contexts, and its sandbox cannot run as root, so it is switched off there
    // (and only there); the default locale and the engine's language are Chinese.
    static void PrepareProcess();
    // Simplified Chinese of China, the program's locale whatever the system's.
    static QLocale ChineseLocale();

    CVeyraApp(int& argc, char** argv);
    ~CVeyraApp() override;

    // Qt's own texts (the buttons of message boxes, the file and folder dialogs, the edits' menus)
    // in Chinese like the rest of the window: in the system's Chinese when its locale is Chinese,
    // otherwise in simplified Chinese. The catalogues come from Qt's translations folder. False
    // when none could be loaded; the texts then stay in English.
    static bool LoadQtTranslations(const QLocale& system);

    // The main window, run until it closes; the exit code.
    int Run();
};
