#pragma once

#include <string>

#include "core/ST_PERLISTRECORD.h"

struct JobContext;

// The only way adapters hand results to the jobs. Adapters call them through AlbumCall::Album and
// PictureCall::Picture, which add the stop checks.

// Album-list thread: cleans the record's name, makes it unique ("N (1)"), stores a copy in the
// album list and shows it in the grid. Dropped while the window is not ready.
void EmitAlbum(const ST_PERLISTRECORD& record, JobContext& job);

// Download thread: hands the picture to the download side, which names it by the current site
// type's rules, creates the album folder at the album's first picture and appends it to the
// picture list; with OPT_SKIP_DOWNLOADED the album ends (DL_ALBUM_DONE) at the first picture of
// the previous download.
void EmitPicture(JobContext& job, const std::u16string& url, const std::u16string& description,
                 const std::u16string& headers, int albumIndex);
