#pragma once

#include <QApplication>

// The application object: it creates the main window, starts it up and runs until the window has
// closed. It reads no command-line arguments of its own (Qt's, such as -platform, still work).
class CVeyraApp : public QApplication {
    Q_OBJECT
public:
    // What must be settled before the application object exists: the login browser's engine
    // needs shared GL contexts, and its sandbox cannot run as root, so it is switched off there
    // (and only there).
    static void PrepareProcess();

    CVeyraApp(int& argc, char** argv);
    ~CVeyraApp() override;

    // The main window, run until it closes; the exit code.
    int Run();
};
