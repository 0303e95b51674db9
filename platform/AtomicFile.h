// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A file that appears under its name whole or not at all. Where the file system allows it, the
// bytes go to a file without a name (O_TMPFILE) that is linked in place when complete, so a process
// that dies while writing leaves nothing behind. Elsewhere they go to a hidden temporary
// ".<name>.part<pid>_<n>" in the same folder, which RemoveStale() clears once its process is gone.
// One thread writes one AtomicFile; many may be written at once.
class AtomicFile {
public:
    // Opens the hidden file beside target; Error() tells when that failed.
    explicit AtomicFile(std::u16string_view target, unsigned mode = 0644);
    // Discards whatever was not published.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Appends bytes; false once anything has failed.
    bool Write(std::string_view bytes);
    // Flushes to disk and puts the file in place under target, replacing a file already there.
    // False when anything failed; nothing is left behind then.
    bool Publish();
    // errno of the first step that failed, 0 while everything went well.
    int Error() const { return error_; }
    // Whether an error means the file system has no room left (ENOSPC, EDQUOT).
    static bool IsDiskFull(int error);

    // Removes this program's temporaries in folder whose process has ended or that were left
    // for a day, and returns how many went. Other hidden files stay.
    static int RemoveStale(std::u16string_view folder);
    // Tests turn the unnamed files off to take the road of file systems without them.
    static void UseUnnamedFiles(bool use);

private:
    bool Fail(int error);
    bool PublishUnnamed();
    bool PublishNamed();
    // Gives the unnamed file the name path; 0 or the errno.
    int LinkAs(const std::string& path) const;
    // Copies the unnamed file into the named temporary, for when it cannot be linked.
    bool CopyToNamed();

    std::string target_;
    std::string temp_;  // the named temporary, when one is used
    unsigned mode_;
    int fd_ = -1;
    std::uint64_t written_ = 0;  // bytes written
    std::uint64_t started_ = 0;  // bytes whose way to the disk was started
    int error_ = 0;
    bool unnamed_ = false;
    bool published_ = false;
};
