// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <cstdint>

#include "core/NamingSettings.h"
#include "core/PictureList.h"
#include "core/ST_PERLISTRECORD.h"

// The longest one file or folder name may be on disk, in UTF-8 bytes.
constexpr std::size_t MAX_NAME_BYTES = 255;
// The system's limit for a whole path, in UTF-8 bytes with the terminating NUL: a path must stay
// shorter than this.
constexpr std::size_t MAX_PATH_BYTES = 4096;

// Whether the system takes path (UTF-8) as a path: shorter than MAX_PATH_BYTES.
bool PathFits(std::u16string_view path);

// Makes a site text usable as one file or folder name, in place: entities decoded, runs of spaces
// collapsed, the characters a path cannot hold and control characters removed, tabs turned into
// "_", full stops at the ends dropped (a text of full stops only becomes "。" each). With withFallback, a
// result that is empty or 1000 units or longer becomes the local time stamp "%Y%m%d%H%M%S".
void CleanName(std::u16string& text, bool withFallback);

// The local time as "%Y%m%d%H%M%S"; empty when the clock cannot be read.
std::u16string TimeStampName();

// stem followed by suffix, with stem shortened at a character boundary until the whole fits in
// maxBytes of UTF-8. suffix (an extension, a counter) is always kept whole.
std::u16string FitName(std::u16string_view stem, std::u16string_view suffix,
                       std::size_t maxBytes = MAX_NAME_BYTES);

// The job's values that the naming escapes read: ?6 the albums selected, ?7 the albums listed, ?8
// the owner folder.
struct NamingValues {
    std::int64_t selectedCount = 0;
    std::int64_t albumCount = 0;
    std::u16string ownerName;
};

// The picture's name before its length, extension and duplicates are settled: base name by
// naming.baseName, prefix and suffix, escapes ?1 to ?9, the replacement list, then cleaned with the
// time-stamp fallback. c is the number of pictures already listed for the album. A description
// never chooses a path: it is always cleaned into a plain name.
std::u16string PictureBaseName(const NamingValues& values, const NamingSettings& naming,
                               const ST_PERLISTRECORD& album, std::size_t c, std::u16string_view url,
                               std::u16string_view description);

// Settles a name from PictureBaseName into the final file name, against pictures' albumDir (which
// must already hold the album folder) and the names already listed: picture extension kept or
// ".jpg" added, and "(1)", "(2)", ... added while the name equals, ignoring case, one already
// listed. The name is cut, never its extension or counter, to fit MAX_NAME_BYTES and to keep the
// whole path shorter than MAX_PATH_BYTES. It is never cut to nothing: where albumDir leaves no room
// for a single character of it, it is only fitted to MAX_NAME_BYTES and its path does not fit
// (PathFits), which the download refuses.
std::u16string FinishPictureName(std::u16string_view name, const PictureList& pictures);

// Both steps for the next picture of the album (c = pictures.Size()). Call it after the album
// folder has been set as pictures' albumDir.
std::u16string PictureFileName(const NamingValues& values, const NamingSettings& naming,
                               const ST_PERLISTRECORD& album, const PictureList& pictures,
                               std::u16string_view url, std::u16string_view description);

// The album's folder name (escapes ?1, ?3 and ?9, cleaned without fallback, fitted to
// MAX_NAME_BYTES); empty when the album's pictures go straight into the owner folder.
std::u16string AlbumFolderName(const NamingSettings& naming, const ST_PERLISTRECORD& album);

// albumDir (ending with "/") with the album's folder and a "/" appended, or albumDir itself when the
// folder name is empty.
std::u16string AlbumFolder(std::u16string_view albumDir, const NamingSettings& naming,
                           const ST_PERLISTRECORD& album);
