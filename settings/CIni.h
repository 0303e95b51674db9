// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A read-only INI file with the private-profile rules: section and key names match without regard
// to case, the first section and the first key of a name win, values are trimmed and lose one pair
// of enclosing quotes, lines starting with ";" are comments, and a missing key gives the default.
// The file is read once, when the object is made.
class CIni {
public:
    explicit CIni(const std::u16string& path);

    // The file was there and could be read.
    bool IsOpen() const { return open_; }

    // The value of key in section, or defaultValue (less trailing blanks) when either is missing.
    std::u16string GetString(std::u16string_view section, std::u16string_view key,
                             std::u16string_view defaultValue) const;

    // The text of an INI file's bytes. Hand-edited files come in whatever their editor saves:
    // UTF-16 with a byte-order mark, UTF-8 with or without one, else GBK.
    static std::u16string DecodeText(std::string_view bytes);

private:
    struct Section {
        std::u16string name;
        std::vector<std::pair<std::u16string, std::u16string>> entries;
    };

    void Parse(std::u16string_view text);

    bool open_ = false;
    std::vector<Section> sections_;
};
