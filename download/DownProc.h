#pragma once

#include <string>

#include "core/DownloadParams.h"
#include "core/PictureList.h"
#include "core/PictureRecord.h"
#include "download/DownloadPool.h"

class WindowPort;

// Fetches one picture as a pool worker does: the user's read time-out and size limits, the
// picture's own header lines, and the fallback address when the first address brought no data.
// True when a body within the limits arrived; it is then in body. Never throws.
bool FetchPicture(const PictureRecord& picture, const DownloadParams& params, std::string& body);

// The pool manager for the album in pictures, run on the download thread: keeps up to the pool's
// thread count of downloads going, hands out the pictures in list order, writes each picture that
// arrived within the limits to the album folder under its name, shows "已下载%d/%d......" in the
// progress line (1006) of status whenever the finished count changes, and tells status when the
// pool has ended.
// After a stop request no new picture starts; the pool reports its end at once and then waits for
// the pictures in flight, so no worker outlives the list it reads and every picture that arrived is
// on disk when it returns. An empty list starts nothing and reports nothing. False when not a
// single worker could be started.
bool DownPicFunc(DownloadPool& pool, const PictureList& pictures, WindowPort& status);
