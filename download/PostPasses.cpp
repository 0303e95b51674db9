// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/PostPasses.h"

#include <array>
#include <ctime>

#include "platform/FileSystem.h"

namespace {

constexpr std::size_t kSignatureBytes = 7;

}  // namespace

std::u16string SignatureExtension(std::string_view header) {
    std::array<unsigned char, kSignatureBytes> b{};
    for (std::size_t i = 0; i < b.size() && i < header.size(); ++i) {
        b[i] = static_cast<unsigned char>(header[i]);
    }
    if (b[0] == 0x00 && b[1] == 0x00 && b[3] == 0x00 && b[4] == 0x00 && (b[2] == 0x02 || b[2] == 0x10)) {
        return u".tga";
    }
    if (b[0] == 0x00 && b[1] == 0x00 && b[2] == 0x01 && b[3] == 0x00 && b[4] == 0x01) {
        return u".ico";
    }
    if (b[0] == 0x00 && b[1] == 0x00 && b[2] == 0x02 && b[3] == 0x00 && b[4] == 0x01) {
        return u".cur";
    }
    if (b[0] == 'B' && b[1] == 'M') {
        return u".bmp";
    }
    if (b[0] == 'G' && b[1] == 'I' && b[2] == 'F') {
        return u".gif";
    }
    if ((b[0] == 'I' && b[1] == 'I') || (b[0] == 'M' && b[1] == 'M')) {
        return u".tiff";
    }
    if (b[0] == 0x89 && b[1] == 'P') {
        return u".png";
    }
    if (b[0] == 0xFF && b[1] == 0xD8) {
        return u".jpg";
    }
    return {};
}

void FixExtension(std::u16string& path) {
    // Only a regular file under the picture's own name: a link planted there is not read through,
    // so it neither shows what it points at nor moves.
    std::string header;
    if (!FileSystem::ReadRegularFilePrefix(path, kSignatureBytes, header)) {
        return;
    }
    std::u16string extension = SignatureExtension(header);
    if (extension.empty()) {
        return;
    }
    // A dot in a folder name is not an extension, and a name without one gets the extension added:
    // the file never leaves its folder.
    std::size_t slash = path.rfind(u'/');
    std::size_t nameStart = slash == std::u16string::npos ? 0 : slash + 1;
    std::size_t dot = path.rfind(u'.');
    std::u16string base = dot == std::u16string::npos || dot < nameStart ? path : path.substr(0, dot);
    std::u16string target = base + extension;
    if (target == path) {
        return;
    }
    if (FileSystem::RenameNoReplace(path, target)) {
        path = std::move(target);
    }
}

void FixFormatPass(PictureList& pictures) {
    const std::u16string albumDir = pictures.AlbumDir();
    for (std::size_t i = 0; i < pictures.Size(); ++i) {
        std::u16string path = albumDir + pictures.Get(i).fileName;
        std::u16string before = path;
        FixExtension(path);
        if (path != before) {
            pictures.SetFileName(i, path.substr(albumDir.size()));
        }
    }
}

void FixOrderPass(const PictureList& pictures, const std::vector<PictureOutcome>& outcomes,
                  std::int64_t now) {
    const std::u16string albumDir = pictures.AlbumDir();
    for (std::size_t i = 0; i < pictures.Size() && i < outcomes.size(); ++i) {
        // Whatever else is under a picture's name (a file of an earlier download, a link) is not
        // this download's to touch.
        if (outcomes[i].result != PictureResult::Saved) {
            continue;
        }
        std::int64_t stamp = now - 60 * static_cast<std::int64_t>(i);
        if (stamp > 0) {
            FileSystem::SetFileTimes(albumDir + pictures.Get(i).fileName, stamp);
        }
    }
}

void FixOrderPass(const PictureList& pictures, const std::vector<PictureOutcome>& outcomes) {
    FixOrderPass(pictures, outcomes, static_cast<std::int64_t>(std::time(nullptr)));
}
