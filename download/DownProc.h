// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/DownloadParams.h"
#include "core/PictureList.h"
#include "core/PictureOutcome.h"
#include "core/PictureRecord.h"
#include "download/DownloadPool.h"
#include "platform/AtomicFile.h"

class JobEvents;

// Fetches one picture as a pool worker does: the user's read time-out and size limits, the
// picture's own header lines, and the fallback address when the first address brought no data (an
// error status or an empty answer brings no data either; a fallback that is not one web address is
// never fetched). The body goes straight into a file in albumDir as it arrives (an AtomicFile,
// nameless until published), so a picture of any size costs no memory; a picture past
// maxPictureKB is cut off as it comes. True when a body within the limits arrived: file then holds
// it whole, to be published under the picture's fileName, or its fallbackFileName when the fallback
// brought it, and outcome says Saved and which address answered. Otherwise nothing is left on disk
// and outcome says what became of the picture and why. A busy server's Retry-After is waited for
// once, told through serverWait first; stopped ends that wait and any pause at once, and a picture
// whose wait it ended is NotTried, not Failed. Never throws.
bool FetchPicture(const PictureRecord& picture, const DownloadParams& params, const std::u16string& albumDir,
                  std::unique_ptr<AtomicFile>& file, PictureOutcome& outcome,
                  std::function<bool()> stopped = {}, std::function<void(int seconds)> serverWait = {});

// The pool manager for the album in pictures (album is its place in the album list, for the
// events), run on the download thread: keeps up to the pool's thread count of downloads going,
// hands out the pictures in list order, streams each picture into the album folder and gives it its
// name once it arrived within the limits. It tells events of each picture saved and not saved, of
// the progress ("已下载%d/%d......": the pictures saved so far, of all) whenever a picture is done,
// of a busy server's wait (on the progress line) and of the pool's end.
// outcomes gets one entry per picture: pictures that never started stay NotTried.
// After a stop request no new picture starts; the pool reports its end at once and then waits for
// the pictures in flight, so no worker outlives the list it reads and every picture that arrived is
// on disk when it returns. A full disk ends the pool the same way, without writing what is still
// in flight. A picture its fallback brought is then named in pictures as it was saved
// (UseFallbackName), so the passes find it. An empty list starts nothing and reports nothing.
// False when not a single worker could be started.
bool DownPicFunc(DownloadPool& pool, PictureList& pictures, int album, JobEvents& events,
                 std::vector<PictureOutcome>& outcomes);
