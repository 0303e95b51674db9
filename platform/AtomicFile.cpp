// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <ctime>

#include "platform/CodePage.h"

namespace {

constexpr std::string_view kPartMark = ".part";
// The system's limit for a path, the terminating NUL included.
constexpr std::size_t kPathMax = 4096;
// A temporary is being written by a live process at most this long.
constexpr std::time_t kStaleAfterSeconds = 24 * 60 * 60;
constexpr std::uint64_t kStartWritebackBytes = 1u << 20;

std::atomic<bool> g_useUnnamed{true};

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// ".<name>.part<pid>_<counter>" beside target. The name is cut, at a character boundary, so the
// whole stays a legal file name and, where the folder's path is long, a path the system takes.
std::string TemporaryNameFor(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    std::size_t slash = target.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    std::string name = "." + target.substr(slash == std::string::npos ? 0 : slash + 1);
    std::string tail =
        std::string(kPartMark) + std::to_string(::getpid()) + "_" + std::to_string(counter.fetch_add(1));
    std::size_t keep = std::min<std::size_t>(name.size(), 200);
    if (folder.size() + keep + tail.size() >= kPathMax) {
        std::size_t used = folder.size() + tail.size();
        keep = used + 1 < kPathMax ? std::min(keep, kPathMax - 1 - used) : 1;
    }
    while (keep > 1 && keep < name.size() && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) {
        --keep;  // never half of a character
    }
    return folder + name.substr(0, std::max<std::size_t>(keep, 1)) + tail;
}

bool AllDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The process id of a temporary's name, or 0 when the name is not one of ours.
long PidOfTemporary(std::string_view name) {
    if (name.size() < 2 || name.front() != '.') {
        return 0;
    }
    std::size_t mark = name.rfind(kPartMark);
    if (mark == std::string_view::npos || mark == 0) {
        return 0;
    }
    std::string_view tail = name.substr(mark + kPartMark.size());
    std::size_t underscore = tail.find('_');
    if (underscore == std::string_view::npos || !AllDigits(tail.substr(0, underscore)) ||
        !AllDigits(tail.substr(underscore + 1)) || underscore > 9) {
        return 0;
    }
    return std::strtol(std::string(tail.substr(0, underscore)).c_str(), nullptr, 10);
}

bool ProcessRuns(long pid) {
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

bool WriteAll(int fd, std::string_view bytes, int& error) {
    while (!bytes.empty()) {
        ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            error = errno;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

}  // namespace

AtomicFile::AtomicFile(std::u16string_view target, unsigned mode)
    : target_(CodePage::ToUtf8(target)), mode_(mode) {
    if (g_useUnnamed.load()) {
        fd_ = ::open(FolderOf(target_).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode_);
        if (fd_ >= 0) {
            unnamed_ = true;
            return;
        }
        // The file system cannot hold unnamed files: a named temporary does the same job.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
            Fail(errno);
            return;
        }
    }
    temp_ = TemporaryNameFor(target_);
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode_);
    if (fd_ < 0) {
        temp_.clear();
        Fail(errno);
    }
}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    if (!published_ && !temp_.empty()) {
        ::unlink(temp_.c_str());
    }
}

bool AtomicFile::Fail(int error) {
    if (error_ == 0) {
        error_ = error != 0 ? error : EIO;
    }
    return false;
}

bool AtomicFile::IsDiskFull(int error) {
    return error == ENOSPC || error == EDQUOT;
}

bool AtomicFile::Write(std::string_view bytes) {
    if (error_ != 0 || fd_ < 0 || published_) {
        return false;
    }
    int error = 0;
    if (!WriteAll(fd_, bytes, error)) {
        return Fail(error);
    }
    // A large file starts on its way to the disk while the rest is still coming, so the flush
    // that publishes it finds little left to do.
    written_ += bytes.size();
    if (written_ - started_ >= kStartWritebackBytes) {
        ::sync_file_range(fd_, static_cast<off_t>(started_), static_cast<off_t>(written_ - started_),
                          SYNC_FILE_RANGE_WRITE);
        started_ = written_;
    }
    return true;
}

bool AtomicFile::Publish() {
    if (error_ != 0 || fd_ < 0 || published_) {
        return Fail(EBADF);
    }
    if (::fchmod(fd_, mode_) != 0 || ::fsync(fd_) != 0) {
        return Fail(errno);
    }
    bool ok = unnamed_ ? PublishUnnamed() : PublishNamed();
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    published_ = ok;
    return ok;
}

int AtomicFile::LinkAs(const std::string& path) const {
    std::string self = "/proc/self/fd/" + std::to_string(fd_);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        return 0;
    }
    int error = errno;
    if (error == EEXIST || error == ENOSPC || error == EDQUOT) {
        return error;
    }
    // Without /proc the file can still be linked by its descriptor, where the process may.
    if (::linkat(fd_, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0) {
        return 0;
    }
    return errno == EEXIST ? EEXIST : error;
}

bool AtomicFile::PublishUnnamed() {
    int error = LinkAs(target_);
    if (error == 0) {
        return true;
    }
    if (error == EEXIST) {
        // A link never replaces a file: link under a temporary name, then rename over the old one.
        for (int tries = 0; tries < 100 && error == EEXIST; ++tries) {
            temp_ = TemporaryNameFor(target_);
            error = LinkAs(temp_);
        }
        if (error != 0) {
            temp_.clear();
            return Fail(error);
        }
        if (::rename(temp_.c_str(), target_.c_str()) != 0) {
            return Fail(errno);  // the destructor removes the temporary
        }
        return true;
    }
    if (IsDiskFull(error) || error == EROFS || error == EACCES) {
        return Fail(error);
    }
    // Linking an unnamed file is not allowed here: copy it into a named temporary instead.
    return CopyToNamed() && PublishNamed();
}

bool AtomicFile::CopyToNamed() {
    temp_ = TemporaryNameFor(target_);
    int out = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode_);
    if (out < 0) {
        temp_.clear();
        return Fail(errno);
    }
    char buffer[65536];
    off_t offset = 0;
    int error = 0;
    bool ok = true;
    for (;;) {
        ssize_t got = ::pread(fd_, buffer, sizeof(buffer), offset);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            error = errno;
            ok = false;
            break;
        }
        if (got == 0) {
            break;
        }
        if (!WriteAll(out, std::string_view(buffer, static_cast<std::size_t>(got)), error)) {
            ok = false;
            break;
        }
        offset += got;
    }
    ::close(fd_);
    fd_ = out;
    unnamed_ = false;
    if (!ok) {
        return Fail(error);
    }
    if (::fchmod(fd_, mode_) != 0 || ::fsync(fd_) != 0) {
        return Fail(errno);
    }
    return true;
}

bool AtomicFile::PublishNamed() {
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        return Fail(errno);
    }
    if (::rename(temp_.c_str(), target_.c_str()) != 0) {
        return Fail(errno);
    }
    temp_.clear();
    return true;
}

int AtomicFile::RemoveStale(std::u16string_view folder) {
    std::string path = CodePage::ToUtf8(folder);
    if (path.empty()) {
        path = ".";
    }
    DIR* dir = ::opendir(path.c_str());
    if (dir == nullptr) {
        return 0;
    }
    if (path.back() != '/') {
        path.push_back('/');
    }
    const long self = static_cast<long>(::getpid());
    const std::time_t now = std::time(nullptr);
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        long pid = PidOfTemporary(entry->d_name);
        if (pid <= 0 || pid == self) {
            continue;
        }
        std::string file = path + entry->d_name;
        struct stat st {};
        if (::lstat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
            continue;
        }
        if (ProcessRuns(pid) && now - st.st_mtime < kStaleAfterSeconds) {
            continue;
        }
        if (::unlink(file.c_str()) == 0) {
            ++removed;
        }
    }
    ::closedir(dir);
    return removed;
}

void AtomicFile::UseUnnamedFiles(bool use) {
    g_useUnnamed.store(use);
}
