// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/SiteType.h"

// The main window's rules that need no toolkit: what the start-up takes from the clipboard and the
// folders, what a dropped path stands for, and the texts of the site and sub-mode boxes.
namespace WindowRules {

// The window's title.
inline constexpr char16_t TITLE[] = u"Orvelle";

// The site box (1002), in SiteType order, and the sub-mode box (1035) of site type 0.
extern const std::array<const char16_t*, SITE_TYPE_COUNT> SITE_NAMES;
extern const std::array<const char16_t*, 3> TENCENT_SUBMODES;

// The notice line (1013) and the splash window's text.
extern const char16_t NOTICE_TEXT[];
extern const char16_t SPLASH_TEXT[];

// The clipboard text as the input box takes it at start-up: trimmed, and only when 1 to 199
// characters remain (a copied address, not a copied page); otherwise empty.
std::u16string ClipboardInput(std::u16string_view clipboard);

// Whether the program runs from a temporary or unpacked folder ("/temp/", "/tmp/" or "/locals" in
// the lower-cased path), where pictures saved beside it would be lost.
bool IsTemporaryFolder(std::u16string_view programDir);

// The save folder before the history is read: the program folder, or for a temporary program
// folder the documents folder + "Orvelle/".
std::u16string StartSaveFolder(std::u16string_view programDir, std::u16string_view documentsDir);

// folder with a trailing "/"; empty stays empty.
std::u16string WithTrailingSlash(std::u16string_view folder);

// The notice for a program folder whose settings and cookies cannot be kept: part is what
// ProgramDir::UnwritablePart named, the folder itself or a file in it.
std::u16string UnwritableNotice(std::u16string_view programDir, std::u16string_view part);

// The folder a path dropped onto the window stands for, ending with "/": a folder itself, a file
// its folder. Empty when there is none.
std::u16string DroppedFolder(std::u16string_view path, bool isDirectory);

// The CSV export's default file name: the list's owner (its folder name, without the slash) and
// the day, "alice_20261210.csv"; "相册列表_20261210.csv" when the list has no owner.
std::u16string CsvExportName(std::u16string_view ownerName, std::u16string_view yyyymmdd);

// What the window says when no program opened a folder (the save folder, an album's) or a page of
// the guide: that none is there, and where the folder or page is, for the user to open it.
std::u16string NothingOpensNotice(std::u16string_view path, bool isFolder);

}  // namespace WindowRules
