#pragma once

#include <thread>

struct JobContext;

// The grid's layout switch: the rebuild of every album in the layout now in force, on a thread of
// its own (a thumbnail rebuild downloads covers, which must not freeze the window). The window
// talks to it only through job.modeSwitch. The thread is always joined: by the next Start, by Join
// or, after an interrupt request, by the destructor, so it never outlives the grid it fills.
class ChangeSource {
public:
    explicit ChangeSource(JobContext& job);
    ~ChangeSource();
    ChangeSource(const ChangeSource&) = delete;
    ChangeSource& operator=(const ChangeSource&) = delete;

    // Starts the rebuild; job.modeSwitch must already say it runs. False when no thread could be
    // started, and then the switch is idle again.
    bool Start();
    // Waits for the rebuild to end.
    void Join();
    // Asks a running rebuild to stop after the album it shows; false when none was running.
    bool Interrupt();

private:
    JobContext& job_;
    std::thread thread_;
};
