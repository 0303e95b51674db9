// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/SideFiles.h"

#include <algorithm>

#include "MyCode/StringCtrl.h"
#include "download/Naming.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"

namespace {

using TextFile::BYTE_ORDER_MARK;
using TextFile::FromUtf16Le;
using TextFile::ToUtf16Le;
constexpr std::u16string_view kLineEnd = u"\r\n";

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
    // Each picture was flushed before it got its name, but the names themselves reach the disk
    // when the file system pleases; one flush of the folder per album puts them there before the
    // marker can be.
    return FileSystem::FlushDirectory(albumDir) &&
           FileSystem::WriteFileAtomic(MarkerPath(albumDir), ToUtf16Le(url));
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
    return FileSystem::WriteFileAtomic(path, std::string(BYTE_ORDER_MARK) + line);
}
