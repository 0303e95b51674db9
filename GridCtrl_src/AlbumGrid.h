#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "GridCtrl_src/GridData.h"

struct JobContext;

// The album grid built on GridData: its two layouts, the display of one album, the rebuild and the
// selection the download job reads. Everything goes through job.grid; the window port is told when
// the layout was set up and when a rebuild ended.

// Album names are shown and kept with at most this many characters.
constexpr std::size_t ALBUM_NAME_MAX = 80;
// Cuts name to ALBUM_NAME_MAX characters (one less when the cut would split a surrogate pair).
void CutAlbumName(std::u16string& name);

// Row mode: the header row "序号", "名称", "数量", "备注", "", "" (widths 50, 575, 50, 100, 0, 0),
// list mode. Thumbnail mode: no rows, six columns as wide as a thumbnail plus the cell margins,
// single cells selected. Both empty the grid and uncheck "全选" (1012).
void SetUpRowLayout(JobContext& job);
void SetUpThumbnailLayout(JobContext& job);
// The set-up of the layout in force (previewMode).
void SetUpAlbumGrid(JobContext& job);

// Shows album k (its position in job.list.albums) in the layout in force: in row mode a row when the
// filter lets it through, in thumbnail mode cell (k / 6, k % 6), making its thumbnail first from the
// cover picture. Cuts the record's name to ALBUM_NAME_MAX characters first.
void ShowAlbum(JobContext& job, int k);

// The texts of an album row's columns 2 and 3.
std::u16string PictureCountText(int pictureCount);
std::u16string PrivacyText(int privacy);

// Sets up the layout in force and shows every album again, in list order, until a mode switch is
// interrupted; then the mode switch is idle and the filter text is cleared.
void Rebuild(JobContext& job);

// "全选": selects every album row (every row below the fixed rows), or clears the selection.
void SelectAllAlbums(JobContext& job, bool select);

// The albums to download, as indices into job.list.albums. Row mode: every album row with a selected
// cell, top to bottom, the index taken from column 0. Thumbnail mode: the selected cells row by
// row, left to right, among the first n cells (n albums) and with indices below n.
std::vector<int> SelectedAlbumIndices(const JobContext& job);

// Where album k (its position in job.list.albums) is shown in the layout in force: its row (column 0)
// in row mode, its cell in thumbnail mode; an invalid cell when it is not shown (filtered out, or
// not yet shown by a rebuild).
GridCellId AlbumCell(const JobContext& job, int k);

// Selects these albums (positions in job.list.albums) where they are shown: their whole rows in row
// mode, their cells in thumbnail mode. The rest of the selection stays as it is.
void SelectAlbums(JobContext& job, const std::vector<int>& albums);
