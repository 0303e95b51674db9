// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "platform/AtomicFile.h"
#include "platform/CodePage.h"

namespace fs = std::filesystem;

namespace FileSystem {

std::string NativePath(std::u16string_view path) {
    return CodePage::ToUtf8(path);
}

bool Exists(std::u16string_view path) {
    std::error_code ec;
    return fs::exists(NativePath(path), ec);
}

bool IsDirectory(std::u16string_view path) {
    std::error_code ec;
    return fs::is_directory(NativePath(path), ec);
}

bool CreateDirectories(std::u16string_view path) {
    std::error_code ec;
    std::string native = NativePath(path);
    fs::create_directories(native, ec);
    return fs::is_directory(native, ec);
}

bool CreatePrivateDirectories(std::u16string_view path) {
    std::string native = NativePath(path);
    while (native.size() > 1 && native.back() == '/') {
        native.pop_back();
    }
    std::error_code ec;
    if (fs::is_directory(native, ec)) {
        return true;
    }
    std::size_t slash = native.rfind('/');
    if (slash != std::string::npos && slash > 0 &&
        !CreatePrivateDirectories(CodePage::FromUtf8(native.substr(0, slash)))) {
        return false;
    }
    // mkdir's mode is masked by the umask, which never widens 0700; another process may win the race.
    return ::mkdir(native.c_str(), 0700) == 0 || (errno == EEXIST && fs::is_directory(native, ec));
}

namespace {

// Reads at most maxBytes from fd into out, then closes fd.
bool ReadPrefixAndClose(int fd, std::size_t maxBytes, std::string& out) {
    char buffer[65536];
    bool ok = true;
    while (out.size() < maxBytes) {
        std::size_t want = std::min(sizeof(buffer), maxBytes - out.size());
        ssize_t got = ::read(fd, buffer, want);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            ok = false;
            break;
        }
        if (got == 0) {
            break;
        }
        out.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return ok;
}

}  // namespace

bool ReadFilePrefix(std::u16string_view path, std::size_t maxBytes, std::string& out) {
    out.clear();
    int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    return ReadPrefixAndClose(fd, maxBytes, out);
}

bool ReadRegularFilePrefix(std::u16string_view path, std::size_t maxBytes, std::string& out) {
    out.clear();
    // O_NONBLOCK: opening a pipe for reading would otherwise wait for a writer.
    int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    return ReadPrefixAndClose(fd, maxBytes, out);
}

bool ReadFile(std::u16string_view path, std::string& out) {
    return ReadFilePrefix(path, SIZE_MAX, out);
}

bool ReadRegularFile(std::u16string_view path, std::string& out, bool& notAFile) {
    out.clear();
    notAFile = false;
    // Opening a FIFO without O_NONBLOCK would wait for a writer; the type is judged on what was
    // opened, so nothing can be swapped in between.
    int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        notAFile = errno == ENXIO;  // a socket
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        notAFile = true;
        ::close(fd);
        return false;
    }
    if (st.st_size > 0) {
        out.reserve(static_cast<std::size_t>(st.st_size));
    }
    return ReadPrefixAndClose(fd, std::numeric_limits<std::size_t>::max(), out);
}

std::u16string CreatePrivateTempDirectory() {
    std::error_code ec;
    fs::path base = fs::temp_directory_path(ec);
    if (ec) {
        base = "/tmp";
    }
    // mkdtemp makes the folder with mode 0700.
    std::string pattern = (base / "orvelle-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        return {};
    }
    return CodePage::FromUtf8(pattern) + u"/";
}

bool RemoveTree(std::u16string_view path) {
    std::error_code ec;
    fs::remove_all(NativePath(path), ec);
    return !ec;
}

namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

}  // namespace

bool WriteFileAtomic(std::u16string_view path, std::string_view bytes, unsigned mode) {
    int error = 0;
    return WriteFileAtomic(path, bytes, mode, error);
}

bool WriteFileAtomic(std::u16string_view path, std::string_view bytes, unsigned mode, int& error) {
    AtomicFile file(path, mode);
    bool ok = file.Write(bytes) && file.Publish();
    error = file.Error();
    return ok;
}

bool FlushDirectory(std::u16string_view folder) {
    std::string path = NativePath(folder);
    int fd = ::open(path.empty() ? "." : path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return errno == EACCES;
    }
    int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error == 0 || error == EINVAL || error == EOPNOTSUPP;
}

bool CanCreateFilesIn(std::u16string_view folder) {
    return ::faccessat(AT_FDCWD, NativePath(folder).c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

bool AppendFile(std::u16string_view path, std::string_view bytes) {
    int fd = ::open(NativePath(path).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    bool ok = WriteAll(fd, bytes);
    ok = ::close(fd) == 0 && ok;
    return ok;
}

bool Rename(std::u16string_view from, std::u16string_view to) {
    return ::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0;
}

bool RenameNoReplace(std::u16string_view from, std::u16string_view to) {
    std::string source = NativePath(from);
    std::string target = NativePath(to);
    if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // File systems without RENAME_NOREPLACE: a hard link refuses an existing target just as well.
    if (::link(source.c_str(), target.c_str()) != 0) {
        return false;
    }
    ::unlink(source.c_str());
    return true;
}

bool Remove(std::u16string_view path) {
    return ::unlink(NativePath(path).c_str()) == 0;
}

bool RemoveEmptyDirectory(std::u16string_view path) {
    return ::rmdir(NativePath(path).c_str()) == 0;
}

bool SetFileTimes(std::u16string_view path, std::int64_t unixSeconds) {
    struct timespec times[2];
    times[0].tv_sec = static_cast<time_t>(unixSeconds);
    times[0].tv_nsec = 0;
    times[1] = times[0];
    return ::utimensat(AT_FDCWD, NativePath(path).c_str(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

std::int64_t ModificationTime(std::u16string_view path) {
    struct stat st {};
    if (::stat(NativePath(path).c_str(), &st) != 0) {
        return -1;
    }
    return static_cast<std::int64_t>(st.st_mtim.tv_sec);
}

namespace {
std::u16string WithSlash(std::u16string dir) {
    if (dir.empty() || dir.back() != u'/') {
        dir.push_back(u'/');
    }
    return dir;
}
}  // namespace

std::u16string CurrentDirectory() {
    std::error_code ec;
    auto cwd = fs::current_path(ec);
    return WithSlash(CodePage::FromUtf8(ec ? std::string(".") : cwd.string()));
}

namespace {

// $HOME without a trailing "/", so that paths below it join cleanly.
std::string Home() {
    const char* home = std::getenv("HOME");
    std::string path = home != nullptr && *home != '\0' ? home : "/tmp";
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

// The value of key in user-dirs.dirs: lines like XDG_PICTURES_DIR="$HOME/图片", where a path is
// absolute or starts with $HOME. Empty when the file or the key is missing.
std::string UserDirsValue(const std::string& key) {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string file =
        (config != nullptr && *config == '/' ? std::string(config) : Home() + "/.config") + "/user-dirs.dirs";
    std::ifstream in(file);
    std::string line;
    std::string value;
    while (std::getline(in, line)) {
        std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, key.size() + 2, key + "=\"") != 0) {
            continue;
        }
        std::size_t open = start + key.size() + 2;
        std::size_t close = line.find('"', open);
        if (close == std::string::npos) {
            continue;
        }
        std::string path = line.substr(open, close - open);
        if (path.rfind("$HOME", 0) == 0) {
            path = Home() + path.substr(5);
        }
        if (!path.empty() && path.front() == '/') {
            value = path;  // the last line wins, as when the shell reads the file
        }
    }
    return value;
}

std::u16string UserDirectory(const char* key, const char* fallback) {
    if (const char* xdg = std::getenv(key); xdg != nullptr && *xdg != '\0') {
        return WithSlash(CodePage::FromUtf8(xdg));
    }
    std::string configured = UserDirsValue(key);
    return WithSlash(CodePage::FromUtf8(configured.empty() ? Home() + "/" + fallback : configured));
}

}  // namespace

std::u16string DocumentsDirectory() {
    return UserDirectory("XDG_DOCUMENTS_DIR", "Documents");
}

std::u16string PicturesDirectory() {
    return UserDirectory("XDG_PICTURES_DIR", "Pictures");
}

std::u16string ExecutablePath() {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::u16string() : CodePage::FromUtf8(self.string());
}

}  // namespace FileSystem
