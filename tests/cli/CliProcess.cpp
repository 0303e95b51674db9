// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

extern char** environ;

namespace {

std::string NameOf(const std::string& entry) {
    return entry.substr(0, entry.find('='));
}

// The test's environment with the changes applied, built before fork: the child may only exec.
std::vector<std::string> ChangedEnvironment(const std::vector<std::string>& changes) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        std::string name = NameOf(*entry);
        bool changed = false;
        for (const std::string& change : changes) {
            changed = changed || NameOf(change) == name;
        }
        if (!changed) {
            result.emplace_back(*entry);
        }
    }
    for (const std::string& change : changes) {
        if (change.find('=') != std::string::npos) {
            result.push_back(change);
        }
    }
    return result;
}

}  // namespace

CliProcess CliProcess::Run(const std::vector<std::string>& args, const std::string& workingDir,
                           int timeoutSec, const WhileRunning& whileRunning) {
    return RunCopy(ORVELLE_CLI_PATH, args, {}, workingDir, timeoutSec, whileRunning);
}

CliProcess CliProcess::RunCopy(const std::string& program, const std::vector<std::string>& args,
                               const std::vector<std::string>& env, const std::string& workingDir,
                               int timeoutSec, const WhileRunning& whileRunning) {
    return Spawn(program, args, env, workingDir, timeoutSec, whileRunning, 0);
}

CliProcess CliProcess::RunOnTerminal(const std::vector<std::string>& args, int columns, int timeoutSec) {
    return Spawn(ORVELLE_CLI_PATH, args, {"TERM=xterm"}, {}, timeoutSec, {}, columns);
}

CliProcess CliProcess::Spawn(const std::string& program, const std::vector<std::string>& args,
                             const std::vector<std::string>& env, const std::string& workingDir,
                             int timeoutSec, const WhileRunning& whileRunning, int terminalColumns) {
    CliProcess result;
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> environment = ChangedEnvironment(env);
    std::vector<char*> envp;
    for (std::string& entry : environment) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);

    int outPipe[2];
    int errPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0) {
        return result;
    }
    if (terminalColumns > 0) {
        // stderr on a pseudo-terminal in raw mode, so the bytes arrive as the program wrote them.
        termios raw{};
        cfmakeraw(&raw);
        winsize size{};
        size.ws_row = 24;
        size.ws_col = static_cast<unsigned short>(terminalColumns);
        if (openpty(&errPipe[0], &errPipe[1], nullptr, &raw, &size) != 0) {
            return result;
        }
        fcntl(errPipe[0], F_SETFD, FD_CLOEXEC);
        fcntl(errPipe[1], F_SETFD, FD_CLOEXEC);
    } else if (pipe2(errPipe, O_CLOEXEC) != 0) {
        return result;
    }
    pid_t pid = fork();
    if (pid == 0) {
        // Only async-signal-safe calls between fork and exec.
        int devNull = open("/dev/null", O_RDONLY);
        dup2(devNull, 0);
        dup2(outPipe[1], 1);
        dup2(errPipe[1], 2);
        if (!workingDir.empty() && chdir(workingDir.c_str()) != 0) {
            _exit(127);
        }
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    if (pid < 0) {
        close(outPipe[0]);
        close(errPipe[0]);
        return result;
    }

    // The test's side thread reads stderr as it grows.
    std::mutex mutex;
    std::condition_variable grown;
    std::string liveErr;
    std::thread side;
    if (whileRunning) {
        WaitForErr waitForErr = [&](std::string_view text, int timeoutMs) {
            std::unique_lock lock(mutex);
            return grown.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                  [&] { return liveErr.find(text) != std::string::npos; });
        };
        side = std::thread([&, pid, waitForErr] { whileRunning(pid, waitForErr); });
    }

    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSec);
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int openPipes = 2;
    bool timedOut = false;
    while (openPipes > 0) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                          std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            break;
        }
        if (poll(fds, 2, static_cast<int>(left.count())) < 0) {
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) {
                continue;
            }
            char buffer[4096];
            ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
                if (sinks[i] == &result.err) {
                    std::lock_guard lock(mutex);
                    liveErr = result.err;
                    grown.notify_all();
                }
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --openPipes;
            }
        }
    }
    if (timedOut) {
        kill(pid, SIGKILL);
    }
    for (pollfd& fd : fds) {
        if (fd.fd >= 0) {
            close(fd.fd);
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (side.joinable()) {
        side.join();
    }
    if (!timedOut && WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    }
    return result;
}
