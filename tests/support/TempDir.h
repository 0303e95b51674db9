// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything in it at the end of
// the test. Path() ends with "/".
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::u16string& Path() const { return path_; }
    std::string NativePath() const;

private:
    std::u16string path_;
};

// Every name in a folder, hidden ones too, sorted; empty when the folder is missing. For tests that
// check nothing else (no temporary, no stray file) was left there.
std::vector<std::string> FolderEntries(const std::u16string& folder);
