// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// One run of the built orvelle-cli: its exit code and everything it wrote.
struct CliProcess {
    int exitCode = -1;  // -1 when it could not be run or did not end in time
    std::string out;
    std::string err;

    // What a test may do while the program runs, on a thread of its own: the program's process id,
    // and a wait until its stderr holds a text (false when it did not within the time given).
    using WaitForErr = std::function<bool(std::string_view text, int timeoutMs)>;
    using WhileRunning = std::function<void(int pid, const WaitForErr& waitForErr)>;

    // Runs the binary with args in workingDir (the test's own folder when empty), stdin closed,
    // and waits at most timeoutSec for it. whileRunning, when given, runs alongside.
    static CliProcess Run(const std::vector<std::string>& args, const std::string& workingDir = {},
                          int timeoutSec = 60, const WhileRunning& whileRunning = {});
    // The same for another copy of the binary at program, with the environment changed: each
    // "NAME=value" in env sets NAME, a bare "NAME" removes it.
    static CliProcess RunCopy(const std::string& program, const std::vector<std::string>& args,
                              const std::vector<std::string>& env, const std::string& workingDir = {},
                              int timeoutSec = 60, const WhileRunning& whileRunning = {});
    // Run with stderr on a pseudo-terminal columns wide (TERM=xterm), as a user at a terminal
    // runs it; err holds what the terminal got, control sequences included.
    static CliProcess RunOnTerminal(const std::vector<std::string>& args, int columns = 100,
                                    int timeoutSec = 60);

private:
    static CliProcess Spawn(const std::string& program, const std::vector<std::string>& args,
                            const std::vector<std::string>& env, const std::string& workingDir,
                            int timeoutSec, const WhileRunning& whileRunning, int terminalColumns);
};
