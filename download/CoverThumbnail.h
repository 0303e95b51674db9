#pragma once

#include <string>

class WindowPort;

// Album k's thumbnail: downloads its cover picture into the program folder's "tmp/<k>.jpg" and has
// the window scale it into the thumbnail list. The index in that list, or -1 when there is no
// cover, it could not be fetched, or the window could not make a picture of it.
int MakeCoverThumbnail(const std::u16string& programDir, const std::u16string& coverUrl, int k,
                       WindowPort& window);
