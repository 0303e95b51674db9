// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/CIni.h"

#include "MyCode/StringCtrl.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "settings/SettingsText.h"

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\f';
}

std::u16string_view Trim(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::u16string Utf16Units(std::string_view bytes, bool bigEndian) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        unsigned a = static_cast<unsigned char>(bytes[i]);
        unsigned b = static_cast<unsigned char>(bytes[i + 1]);
        text.push_back(static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a));
    }
    return text;
}

}  // namespace

CIni::CIni(const std::u16string& path) {
    std::string bytes;
    open_ = FileSystem::ReadFile(path, bytes);
    if (open_) {
        Parse(DecodeText(bytes));
    }
}

std::u16string CIni::DecodeText(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) {
        return Utf16Units(bytes.substr(2), false);
    }
    if (bytes.starts_with("\xFE\xFF")) {
        return Utf16Units(bytes.substr(2), true);
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        return CodePage::FromUtf8(bytes.substr(3));
    }
    bool utf8 = StringCtrl::IsUtf8(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    return CodePage::Decode(bytes, utf8 ? CodePage::UTF8 : CodePage::GBK);
}

void CIni::Parse(std::u16string_view text) {
    Section* current = nullptr;  // keys before the first section belong to none
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(u'\n', start);
        if (end == std::u16string_view::npos) {
            end = text.size();
        }
        std::u16string_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() == u';') {
            continue;
        }
        if (line.front() == u'[') {
            std::size_t close = line.rfind(u']');
            if (close != std::u16string_view::npos) {
                sections_.push_back({std::u16string(Trim(line.substr(1, close - 1))), {}});
                current = &sections_.back();
                continue;
            }
        }
        if (current == nullptr) {
            continue;
        }
        std::size_t eq = line.find(u'=');
        std::u16string_view key = Trim(line.substr(0, eq));
        std::u16string_view value =
            eq == std::u16string_view::npos ? std::u16string_view() : Trim(line.substr(eq + 1));
        current->entries.emplace_back(std::u16string(key), std::u16string(value));
    }
}

std::u16string CIni::GetString(std::u16string_view section, std::u16string_view key,
                               std::u16string_view defaultValue) const {
    for (const Section& s : sections_) {
        if (!SettingsText::EqualsIgnoringCase(s.name, section)) {
            continue;
        }
        for (const auto& [name, value] : s.entries) {
            if (!SettingsText::EqualsIgnoringCase(name, key)) {
                continue;
            }
            std::u16string_view v = value;
            if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front()) {
                v = v.substr(1, v.size() - 2);
            }
            return std::u16string(v);
        }
        break;  // only the first section of a name is looked at
    }
    while (!defaultValue.empty() && IsBlank(defaultValue.back())) {
        defaultValue.remove_suffix(1);
    }
    return std::u16string(defaultValue);
}
