// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/JobEvents.h"
#include "core/ListResult.h"
#include "core/ST_PERLISTRECORD.h"

class PictureListRun;

// The only way adapters hand results to the jobs. Adapters call them through AlbumCall::Album and
// PictureCall::Picture, which add the stop checks.

// Album-list thread: cleans the record's name, makes it unique ("N (1)"), stores a copy in the
// list's albums and tells events of it.
void EmitAlbum(const ST_PERLISTRECORD& record, ListResult& list, JobEvents& events);

// Download thread: hands the picture to the download side, which names it by the site type's
// rules, creates the album folder at the album's first picture and appends it to the album's
// picture list; with OPT_SKIP_DOWNLOADED the album ends (DL_ALBUM_DONE) at the first picture of
// the previous download.
void EmitPicture(PictureListRun& run, const std::u16string& url, const std::u16string& description,
                 const std::u16string& headers);
