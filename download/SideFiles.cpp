#include "download/SideFiles.h"

#include <algorithm>

#include "MyCode/StringCtrl.h"
#include "download/Naming.h"
#include "platform/FileSystem.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xFF\xFE";
constexpr std::u16string_view kLineEnd = u"\r\n";

// UTF-16LE is the in-memory text unit by unit, so lone surrogates survive a round trip unchanged.
std::string ToUtf16Le(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

std::u16string FromUtf16Le(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    return text;
}

// Album names come cleaned, but a side file must never leave its folder whatever it is handed.
std::u16string SideFilePath(std::u16string_view albumDir, std::u16string_view albumName,
                            std::u16string_view extension) {
    std::u16string name(albumName);
    std::erase_if(name, [](char16_t c) { return c == u'/' || c == u'\0'; });
    return std::u16string(albumDir) + FitName(name, extension);
}

}  // namespace

std::u16string DownloadListPath(std::u16string_view albumDir, std::u16string_view albumName) {
    return SideFilePath(albumDir, albumName, u".lst");
}

std::u16string MarkerPath(std::u16string_view albumDir) {
    return std::u16string(albumDir) + u"pic.zmw";
}

std::u16string PictureNamePath(std::u16string_view albumDir, std::u16string_view albumName) {
    return SideFilePath(albumDir, albumName, u".txt");
}

bool WriteDownloadList(std::u16string_view path, const PictureList& pictures) {
    std::string bytes;
    for (const std::u16string& url : pictures.Urls()) {
        bytes += StringCtrl::ToGbk(url);
        bytes += "\r\n";
    }
    return FileSystem::WriteFileAtomic(path, bytes);
}

bool WriteMarker(std::u16string_view albumDir, std::u16string_view url) {
    return FileSystem::WriteFileAtomic(MarkerPath(albumDir), ToUtf16Le(url));
}

std::u16string ReadMarker(std::u16string_view albumDir) {
    std::string bytes;
    if (!FileSystem::ReadFile(MarkerPath(albumDir), bytes)) {
        return {};
    }
    return FromUtf16Le(bytes);
}

bool AppendPictureName(std::u16string_view albumDir, std::u16string_view albumName,
                       std::u16string_view description, bool first) {
    std::u16string path = PictureNamePath(albumDir, albumName);
    std::string line = ToUtf16Le(std::u16string(description) + std::u16string(kLineEnd));
    if (!first && FileSystem::Exists(path)) {
        return FileSystem::AppendFile(path, line);
    }
    return FileSystem::WriteFileAtomic(path, std::string(kByteOrderMark) + line);
}

bool WriteTextFile(std::u16string_view name, std::u16string_view text) {
    return FileSystem::WriteFileAtomic(name, std::string(kByteOrderMark) + ToUtf16Le(text));
}
