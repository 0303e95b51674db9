// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "core/PictureList.h"

// The small files written beside an album's pictures, and the text dumps. Folders (albumDir) end
// with "/". Files written whole go to a temporary name first, so a crash never leaves half of one.

// "<albumDir><albumName>.lst", "<albumDir>pic.zmw" and "<albumDir><albumName>.txt". The album name
// is shortened, never the extension, so the file name fits on disk.
std::u16string DownloadListPath(std::u16string_view albumDir, std::u16string_view albumName);
std::u16string MarkerPath(std::u16string_view albumDir);
std::u16string PictureNamePath(std::u16string_view albumDir, std::u16string_view albumName);

// The download list for an external download manager: every url text of pictures in order, in GBK,
// each followed by CR LF (a fallback address after "\r\n" thus lands on the next line). Replaces an
// existing list; false when the file cannot be written.
bool WriteDownloadList(std::u16string_view path, const PictureList& pictures);

// The marker remembers the first picture of the album folder's last download: url exactly, as
// UTF-16LE without byte-order mark or line end. The name "pic.zmw" is kept because album folders
// carried over from elsewhere hold it; there is no hidden attribute to give it here. The folder's
// names are flushed first, so after a crash the marker never stands for pictures whose names were
// lost. A marker that cannot be written, or a folder that cannot be flushed, leaves the previous
// one in place and false is returned.
bool WriteMarker(std::u16string_view albumDir, std::u16string_view url);
// The marker text as written, or empty when there is none or it cannot be read.
std::u16string ReadMarker(std::u16string_view albumDir);

// Adds description and CR LF, as UTF-16LE, to the album's picture-name file. first (the album's
// first picture) starts the file anew with the byte-order mark FF FE; a later line goes to the end,
// and starts the file the same way when it has gone missing. Best effort: false when not written.
bool AppendPictureName(std::u16string_view albumDir, std::u16string_view albumName,
                       std::u16string_view description, bool first);
