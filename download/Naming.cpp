// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/Naming.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <vector>

#include "MyCode/StringCtrl.h"

namespace {

// Names this long or longer are replaced by the time stamp rather than shortened.
constexpr std::size_t kFallbackLength = 1000;

constexpr std::u16string_view kDefaultExtension = u".jpg";
constexpr std::array<std::u16string_view, 6> kPictureExtensions = {u".jpeg", u".jpg", u".bmp",
                                                                   u".gif",  u".png", u".tif"};

bool IsBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

void Trim(std::u16string& text) {
    auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
    auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank).base();
    text = first < last ? std::u16string(first, last) : std::u16string();
}

// Control characters (C0, DEL and C1) are no part of a name: in a folder name or on a terminal
// they can erase, recolour or rewrite what the user sees. The tab is kept here: it becomes "_".
bool IsControl(char16_t c) {
    return (c < 0x20 && c != u'\t') || (c >= 0x7F && c <= 0x9F);
}

// Characters no file name may hold, here or on Windows.
bool IsForbidden(char16_t c) {
    if (IsControl(c)) {
        return true;
    }
    switch (c) {
        case u'\\':
        case u'/':
        case u':':
        case u'*':
        case u'?':
        case u'"':
        case u'<':
        case u'>':
        case u'|':
            return true;
        default:
            return false;
    }
}

std::u16string Number(long long value, const char* format = "%lld") {
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), format, value);
    return StringCtrl::FromAscii(buffer);
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

std::u16string Folded(std::u16string_view text) {
    return PictureList::FileNameKey(text);
}

// Length in UTF-8 of the character starting at text[i], and how many units it takes.
std::size_t Utf8Bytes(std::u16string_view text, std::size_t i, std::size_t& units) {
    char16_t c = text[i];
    units = 1;
    if (c < 0x80) {
        return 1;
    }
    if (c < 0x800) {
        return 2;
    }
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
        units = 2;
        return 4;
    }
    return 3;
}

std::size_t Utf8Length(std::u16string_view text) {
    std::size_t bytes = 0;
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size(); i += units) {
        bytes += Utf8Bytes(text, i, units);
    }
    return bytes;
}

// Replaces the escapes "?1" to "?9" that have a value, one escape after the other.
void ReplaceEscapes(std::u16string& text, const std::array<const std::u16string*, 10>& values) {
    std::u16string escape = u"?0";
    for (char16_t digit = u'1'; digit <= u'9'; ++digit) {
        if (const std::u16string* value = values[digit - u'0']; value != nullptr) {
            escape[1] = digit;
            StringCtrl::ReplaceAll(text, escape, *value);
        }
    }
}

// A name of dots only would mean "this folder" or "the parent": each dot becomes "。" instead.
void MarkDotsOnly(std::u16string& text) {
    if (text.find_first_not_of(u'.') == std::u16string::npos) {
        std::replace(text.begin(), text.end(), u'.', u'。');
    }
}

bool IsPictureExtension(std::u16string_view extension) {
    std::u16string folded = Folded(extension);
    return std::find(kPictureExtensions.begin(), kPictureExtensions.end(), folded) !=
           kPictureExtensions.end();
}

// The bytes a picture's name may take in albumDir: MAX_NAME_BYTES, or less where the folder's path
// is long.
std::size_t NameBudget(std::u16string_view albumDir) {
    const std::size_t dirBytes = Utf8Length(albumDir);
    const std::size_t room = dirBytes + 1 < MAX_PATH_BYTES ? MAX_PATH_BYTES - 1 - dirBytes : 0;
    return std::min(room, MAX_NAME_BYTES);
}

// stem and suffix fitted to budget, unless that leaves nothing of a stem: a name that is only its
// extension would be hidden, and every picture would share it. The path then stays too long.
std::u16string FitPictureName(std::u16string_view stem, std::u16string_view suffix, std::size_t budget) {
    std::u16string fitted = FitName(stem, suffix, budget);
    if (fitted.size() == suffix.size() && !stem.empty()) {
        return FitName(stem, suffix);
    }
    return fitted;
}

// A duplicate's name: the stem, "(counter)" and the extension, the stem shortened to fit.
std::u16string Counted(std::u16string_view stem, unsigned counter, std::u16string_view extension,
                       std::size_t budget) {
    return FitPictureName(stem, u"(" + Number(counter) + u")" + std::u16string(extension), budget);
}

}  // namespace

std::u16string TimeStampName() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &local) == nullptr) {
        return {};
    }
    char buffer[32];
    if (std::strftime(buffer, sizeof(buffer), "%Y%m%d%H%M%S", &local) == 0) {
        return {};
    }
    return StringCtrl::FromAscii(buffer);
}

void CleanName(std::u16string& text, bool withFallback) {
    StringCtrl::DecodeHtmlEntities(text);
    text.erase(
        std::unique(text.begin(), text.end(), [](char16_t a, char16_t b) { return a == u' ' && b == u' '; }),
        text.end());
    Trim(text);
    MarkDotsOnly(text);
    std::erase_if(text, IsForbidden);
    std::replace(text.begin(), text.end(), u'\t', u'_');
    text.erase(text.find_last_not_of(u'.') + 1);
    text.erase(0, std::min(text.find_first_not_of(u'.'), text.size()));
    Trim(text);
    // Dots split by blanks (". .. .") come back as ".." once the ends are stripped; as a folder
    // name that would climb out of the save folder.
    MarkDotsOnly(text);
    if (withFallback && (text.empty() || text.size() >= kFallbackLength)) {
        text = TimeStampName();
    }
}

bool PathFits(std::u16string_view path) {
    return Utf8Length(path) < MAX_PATH_BYTES;
}

std::u16string FitName(std::u16string_view stem, std::u16string_view suffix, std::size_t maxBytes) {
    std::size_t suffixBytes = Utf8Length(suffix);
    std::size_t budget = suffixBytes < maxBytes ? maxBytes - suffixBytes : 0;
    std::size_t kept = 0;
    std::size_t bytes = 0;
    std::size_t units = 0;
    while (kept < stem.size()) {
        std::size_t next = Utf8Bytes(stem, kept, units);
        if (bytes + next > budget) {
            break;
        }
        bytes += next;
        kept += units;
    }
    std::u16string out(stem.substr(0, kept));
    out += suffix;
    return out;
}

std::u16string PictureBaseName(const NamingValues& values, const NamingSettings& naming,
                               const ST_PERLISTRECORD& album, std::size_t c, std::u16string_view url,
                               std::u16string_view description) {
    const auto number = static_cast<long long>(c) + 1;
    std::u16string base;
    bool sequence = true;
    if (naming.baseName == BASE_DESCRIPTION) {
        base = description;
        CleanName(base, false);
        if (base.empty()) {
            base = album.name;
        }
        sequence = false;
    } else if (naming.baseName == BASE_URL) {
        // The address's last path segment, query included; an address without a folder part has none.
        auto slash = url.rfind(u'/');
        if (slash != std::u16string_view::npos && slash != 0) {
            base = url.substr(slash + 1);
            sequence = false;
        }
    }
    if (sequence) {
        base = Number(number);
    }

    std::u16string name = naming.filePrefix + base + naming.fileSuffix;
    const std::u16string v2 = Number(number);
    const std::u16string v3 = Number(static_cast<long long>(album.listIndex) + 1);
    const std::u16string v4 = Number(album.param4);
    const std::u16string v5 = Number(album.param5);
    const std::u16string v6 = Number(values.selectedCount);
    const std::u16string v7 = Number(values.albumCount);
    const std::u16string v9 = Number(static_cast<long long>(album.listIndex) + 1, "%04lld");
    ReplaceEscapes(name, {nullptr, &album.name, &v2, &v3, &v4, &v5, &v6, &v7, &values.ownerName, &v9});

    if (!naming.replaceFrom.empty()) {
        StringCtrl::ReplaceList(name, naming.replaceFrom, naming.replaceTo);
    }
    CleanName(name, true);
    return name;
}

std::u16string FinishPictureName(std::u16string_view name, const PictureList& pictures) {
    const std::size_t budget = NameBudget(pictures.AlbumDir());
    std::u16string_view stem = name;
    std::u16string_view extension = kDefaultExtension;
    if (auto dot = stem.rfind(u'.');
        dot != std::u16string_view::npos && IsPictureExtension(stem.substr(dot))) {
        extension = stem.substr(dot);
        stem = stem.substr(0, dot);
    }

    std::u16string fileName = FitPictureName(stem, extension, budget);
    if (!pictures.HasFileName(fileName)) {
        return fileName;
    }
    // The first counter whose name is free; the list remembers how far the counting got, so an
    // album whose pictures all share one name does not count up from 1 for every picture.
    const std::u16string base = Folded(stem) + u'/' + Folded(extension);
    for (unsigned counter = pictures.FirstCounterToTry(base);; ++counter) {
        std::u16string counted = Counted(stem, counter, extension, budget);
        if (!pictures.HasFileName(counted)) {
            pictures.NoteTakenBelow(base, counter);
            return counted;
        }
    }
}

std::u16string PictureFileName(const NamingValues& values, const NamingSettings& naming,
                               const ST_PERLISTRECORD& album, const PictureList& pictures,
                               std::u16string_view url, std::u16string_view description) {
    return FinishPictureName(PictureBaseName(values, naming, album, pictures.Size(), url, description),
                             pictures);
}

std::u16string AlbumFolderName(const NamingSettings& naming, const ST_PERLISTRECORD& album) {
    std::u16string name = naming.folderPrefix;
    if (naming.folderNaming == FOLDER_ALBUM_NAME) {
        name += album.name;
    }
    name += naming.folderSuffix;
    const std::u16string v3 = Number(static_cast<long long>(album.listIndex) + 1);
    const std::u16string v9 = Number(static_cast<long long>(album.listIndex) + 1, "%04lld");
    ReplaceEscapes(name,
                   {nullptr, &album.name, nullptr, &v3, nullptr, nullptr, nullptr, nullptr, nullptr, &v9});
    CleanName(name, false);
    return FitName(name, u"");
}

std::u16string AlbumFolder(std::u16string_view albumDir, const NamingSettings& naming,
                           const ST_PERLISTRECORD& album) {
    std::u16string folder(albumDir);
    if (std::u16string name = AlbumFolderName(naming, album); !name.empty()) {
        folder += name;
        folder += u'/';
    }
    return folder;
}
