#pragma once

#include <string>

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
