#pragma once

#include <string>
#include <vector>

// One run of the built orvelle-cli: its exit code and everything it wrote.
struct CliProcess {
    int exitCode = -1;  // -1 when it could not be run or did not end in time
    std::string out;
    std::string err;

    // Runs the binary with args in workingDir (the test's own folder when empty), stdin closed,
    // and waits at most timeoutSec for it.
    static CliProcess Run(const std::vector<std::string>& args, const std::string& workingDir = {},
                          int timeoutSec = 60);
    // The same for another copy of the binary at program, with the environment changed: each
    // "NAME=value" in env sets NAME, a bare "NAME" removes it.
    static CliProcess RunCopy(const std::string& program, const std::vector<std::string>& args,
                              const std::vector<std::string>& env, const std::string& workingDir = {},
                              int timeoutSec = 60);
};
