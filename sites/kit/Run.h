#pragma once

#include <string>

#include "sites/kit/SiteFamily.h"

struct JobContext;

// How the jobs (and the tests) call an operation: each call gets its own session and, for a
// picture list, a copy of its album's record.

// Runs op with input; the number of albums it added to the list. An empty op adds none.
int RunAlbumList(const AlbumListOp& op, const std::u16string& input, JobContext& job);

// Runs op for album albumIndex; the number of pictures it emitted. An empty op, or an index outside
// the album list, emits none.
int RunPictureList(const PictureListOp& op, JobContext& job, int albumIndex);
