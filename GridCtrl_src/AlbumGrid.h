// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "GridCtrl_src/AlbumView.h"
#include "GridCtrl_src/CoverSource.h"
#include "core/AlbumList.h"

// The album grid built on GridData: its two layouts, the display of one album, the rebuild and the
// selection a download is asked for. The albums are those of the list; the view is the window's.

// Album names are shown and kept with at most this many characters.
constexpr std::size_t ALBUM_NAME_MAX = 80;
// Cuts name to ALBUM_NAME_MAX characters (one less when the cut would split a surrogate pair).
void CutAlbumName(std::u16string& name);

// Row mode: the header row "序号", "名称", "数量", "备注", "", "" (widths 50, 575, 50, 100, 0, 0),
// list mode. Thumbnail mode: no rows, six columns as wide as a thumbnail plus the cell margins,
// single cells selected. Both empty the grid; the window unchecks "全选" with them.
void SetUpRowLayout(AlbumView& view);
void SetUpThumbnailLayout(AlbumView& view);
// The set-up of the layout in force (previewMode).
void SetUpAlbumGrid(AlbumView& view);

// Shows album k (its position in albums) in the layout in force: in row mode a row when the
// filter lets it through, in thumbnail mode cell (k / 6, k % 6), at once with the thumbnail it has
// (or the placeholder), then asking covers for one when it has none (none without covers). Cuts the record's
// name to ALBUM_NAME_MAX characters first.
void ShowAlbum(AlbumView& view, AlbumList& albums, int k, CoverSource* covers);

// A thumbnail that came after its album was shown: set in album k's cell, if the thumbnail layout
// shows album k there. False when it does not (another layout, another list).
bool ShowCover(AlbumView& view, int k, int image);

// The texts of an album row's columns 2 and 3.
std::u16string PictureCountText(int pictureCount);
std::u16string PrivacyText(int privacy);

// Sets up the layout in force and shows every album again, in list order, until a mode switch is
// interrupted; then the mode switch is idle and the filter text is cleared.
void Rebuild(AlbumView& view, AlbumList& albums, CoverSource* covers);

// "全选": selects every album row (every row below the fixed rows), or clears the selection.
void SelectAllAlbums(AlbumView& view, bool select);

// The albums to download, as indices into albums. Row mode: every album row with a selected
// cell, top to bottom, the index taken from column 0. Thumbnail mode: the selected cells row by
// row, left to right, among the first n cells (n albums) and with indices below n.
std::vector<int> SelectedAlbumIndices(const AlbumView& view, const AlbumList& albums);

// Where album k (its position in the album list) is shown in the layout in force: its row (column 0)
// in row mode, its cell in thumbnail mode; an invalid cell when it is not shown (filtered out, or
// not yet shown by a rebuild).
GridCellId AlbumCell(const AlbumView& view, int k);

// Selects these albums (positions in the album list) where they are shown: their whole rows in row
// mode, their cells in thumbnail mode. The rest of the selection stays as it is.
void SelectAlbums(AlbumView& view, const std::vector<int>& albums);
