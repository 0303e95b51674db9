// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TempDir.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "platform/CodePage.h"

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvelle-test-XXXXXX").string();
    char* made = ::mkdtemp(pattern.data());
    path_ = CodePage::FromUtf8(made != nullptr ? made : pattern.c_str()) + u"/";
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(NativePath(), ec);
}

std::string TempDir::NativePath() const {
    return CodePage::ToUtf8(path_);
}

std::vector<std::string> FolderEntries(const std::u16string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(CodePage::ToUtf8(folder), ec)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}
