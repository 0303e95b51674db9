// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/PictureList.h"
#include "core/PictureOutcome.h"

// The passes that may run over an album after its pool has ended. Both work on the album's
// picture list and report nothing: a file that is missing, locked or cannot be moved keeps its
// name and its times.

// The extension a file's first bytes call for (".png", ".jpg", ...), or empty when they match no
// picture signature. A header shorter than 7 bytes reads as zeros beyond its end.
std::u16string SignatureExtension(std::string_view header);

// Moves the file at path to the name its content calls for and puts the new path into path.
// Only the extension of the file name itself changes; an existing file of that name is never
// replaced. path stays as it was when the file is missing, is no regular file (a symbolic link is
// neither read through nor moved), is already right or cannot be moved.
void FixExtension(std::u16string& path);

// FixExtension over every picture of the list, in order; the list then names the files as they
// are on disk, so a pass after it finds them.
void FixFormatPass(PictureList& pictures);

// Stamps the pictures' access and modification times in list order: the first gets now, each later
// one a minute less, so a folder sorted by date shows the site's order. Only the pictures that
// outcomes (one per picture, as the pool left them) call saved are stamped, and a link is never
// followed. Times at or below the epoch are not set.
void FixOrderPass(const PictureList& pictures, const std::vector<PictureOutcome>& outcomes, std::int64_t now);
void FixOrderPass(const PictureList& pictures, const std::vector<PictureOutcome>& outcomes);
