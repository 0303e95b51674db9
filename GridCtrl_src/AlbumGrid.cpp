// SPDX-License-Identifier: GPL-3.0-or-later
#include "GridCtrl_src/AlbumGrid.h"

#include <array>
#include <cstdint>
#include <unordered_map>

#include "MyCode/StringCtrl.h"

namespace {

constexpr int kColumnCount = 6;
constexpr std::array<const char16_t*, kColumnCount> kHeaders = {u"序号", u"名称", u"数量", u"备注", u"", u""};
constexpr std::array<int, kColumnCount> kWidths = {50, 575, 50, 100, 0, 0};

bool IsThumbnailMode(const AlbumView& view) {
    return view.previewMode.load() != 0;
}

void ShowAlbumRow(AlbumView& view, const ST_PERLISTRECORD& album, int k) {
    if (!view.filterText.empty() && album.name.find(view.filterText) == std::u16string::npos) {
        return;
    }
    // Row numbers count the rows shown; the item data keeps the album's place in the list.
    int number = view.grid.RowCount() - view.grid.FixedRowCount() + 1;
    std::vector<GridCell> cells(kColumnCount);
    cells[0].text = StringCtrl::Format(u"%04d", {number});
    cells[0].itemData = k;
    cells[1].text = album.name;
    cells[2].text = PictureCountText(album.pictureCount);
    cells[3].text = PrivacyText(album.privacy);
    view.grid.AppendRow(std::move(cells));
}

void ShowAlbumThumbnail(AlbumView& view, ST_PERLISTRECORD& album, int k, CoverSource* covers) {
    int row = k / THUMBS_PER_ROW;
    int column = k % THUMBS_PER_ROW;
    // Normally the first cell of a row appends it; appending until the row exists also keeps an
    // album whose predecessors were not shown.
    while (view.grid.RowCount() <= row) {
        view.grid.AppendRow({}, PREVIEW_ROW_HEIGHT);
    }
    GridCell cell;
    cell.image = album.imageIndex;
    cell.imageAboveText = true;
    cell.text = StringCtrl::Format(u"%d.%s", {k + 1, album.name});
    cell.itemData = k;
    view.grid.SetCell(row, column, cell);
    // The cell is there before its cover is asked for: a cover that comes at once from another
    // thread finds the cell that takes it.
    if (album.imageIndex == -1 && covers != nullptr) {
        album.imageIndex = covers->Thumbnail(k, album.coverUrl);
        if (album.imageIndex != -1) {
            view.grid.SetImageOfItem(row, column, k, album.imageIndex);
        }
    }
}

}  // namespace

void CutAlbumName(std::u16string& name) {
    name.resize(StringCtrl::KeepUnits(name, ALBUM_NAME_MAX).size());
}

void SetUpRowLayout(AlbumView& view) {
    view.grid.Reset(1, kColumnCount, 1, 0);
    for (int column = 0; column < kColumnCount; ++column) {
        view.grid.SetCellText(0, column, kHeaders[column]);
        view.grid.SetColumnWidth(column, kWidths[column]);
    }
    view.grid.SetListMode(true);
}

void SetUpThumbnailLayout(AlbumView& view) {
    view.grid.Reset(0, THUMBS_PER_ROW, 0, 0);
    for (int column = 0; column < THUMBS_PER_ROW; ++column) {
        view.grid.SetColumnWidth(column, THUMB_WIDTH + 2 * GridData::DEFAULT_CELL_MARGIN);
    }
    view.grid.SetListMode(false);
}

void SetUpAlbumGrid(AlbumView& view) {
    if (IsThumbnailMode(view)) {
        SetUpThumbnailLayout(view);
    } else {
        SetUpRowLayout(view);
    }
}

bool ShowCover(AlbumView& view, int k, int image) {
    if (k < 0 || !IsThumbnailMode(view)) {
        return false;
    }
    return view.grid.SetImageOfItem(k / THUMBS_PER_ROW, k % THUMBS_PER_ROW, k, image);
}

std::u16string PictureCountText(int pictureCount) {
    // -1 is what the sites give for "no count"; any other negative number is no count either.
    if (pictureCount < 0) {
        return u"未知";
    }
    return StringCtrl::Format(u"%4u", {pictureCount});
}

std::u16string PrivacyText(int privacy) {
    if (privacy < 0) {
        return StringCtrl::Format(u"%08u", {static_cast<std::uint32_t>(privacy) & 0x7FFFFFFFu});
    }
    if (privacy & 1) {
        return u"加密相册";
    }
    if (privacy & 2) {
        return u"私密相册";
    }
    if (privacy & 4) {
        return u"好友可见";
    }
    return {};
}

void ShowAlbum(AlbumView& view, AlbumList& albums, int k, CoverSource* covers) {
    if (k < 0) {
        return;
    }
    ST_PERLISTRECORD* album = albums.Get(static_cast<std::size_t>(k));
    if (album == nullptr) {
        return;
    }
    if (album->name.size() > ALBUM_NAME_MAX) {
        std::u16string name = album->name;
        CutAlbumName(name);
        albums.Rename(k, std::move(name));
    }
    if (IsThumbnailMode(view)) {
        ShowAlbumThumbnail(view, *album, k, covers);
    } else {
        ShowAlbumRow(view, *album, k);
    }
}

void Rebuild(AlbumView& view, AlbumList& albums, CoverSource* covers) {
    SetUpAlbumGrid(view);
    std::size_t count = albums.Size();
    for (std::size_t k = 0; k < count && view.modeSwitch.load() != MODE_SWITCH_INTERRUPT; ++k) {
        ShowAlbum(view, albums, static_cast<int>(k), covers);
    }
    view.modeSwitch = MODE_SWITCH_IDLE;
    view.filterText.clear();
}

void SelectAllAlbums(AlbumView& view, bool select) {
    if (select) {
        view.grid.SelectRows(view.grid.FixedRowCount(), view.grid.RowCount() - 1);
    } else {
        view.grid.ClearSelection();
    }
}

std::vector<int> SelectedAlbumIndices(const AlbumView& view, const AlbumList& albums) {
    const auto albumCount = static_cast<std::int64_t>(albums.Size());
    const bool thumbnails = IsThumbnailMode(view);
    std::vector<int> indices;
    auto take = [&](std::int64_t index) {
        // A cell pointing past the list (left from an earlier list) selects nothing.
        if (index >= 0 && index < albumCount) {
            indices.push_back(static_cast<int>(index));
        }
    };
    view.grid.Visit([&](const GridState& grid) {
        std::int64_t cellNumber = 0;
        for (std::size_t row = grid.fixedRows; row < grid.rows.size(); ++row) {
            const std::vector<GridCell>& cells = grid.rows[row].cells;
            if (!thumbnails) {
                bool selected = false;
                for (const GridCell& cell : cells) {
                    selected = selected || cell.selected;
                }
                if (selected && !cells.empty()) {
                    take(cells[0].itemData);
                }
                continue;
            }
            for (const GridCell& cell : cells) {
                if (cellNumber++ >= albumCount) {
                    return;
                }
                if (cell.selected) {
                    take(cell.itemData);
                }
            }
        }
    });
    return indices;
}

GridCellId AlbumCell(const AlbumView& view, int k) {
    GridCellId found;
    if (k < 0) {
        return found;
    }
    const bool thumbnails = IsThumbnailMode(view);
    view.grid.Visit([&](const GridState& grid) {
        if (thumbnails) {
            const int row = k / THUMBS_PER_ROW;
            const int column = k % THUMBS_PER_ROW;
            if (row < static_cast<int>(grid.rows.size()) &&
                column < static_cast<int>(grid.rows[row].cells.size())) {
                const GridCell& cell = grid.rows[row].cells[column];
                if (cell.imageAboveText && cell.itemData == k) {
                    found = {row, column};
                }
            }
            return;
        }
        for (std::size_t row = grid.fixedRows; row < grid.rows.size(); ++row) {
            const std::vector<GridCell>& cells = grid.rows[row].cells;
            if (!cells.empty() && cells[0].itemData == k) {
                found = {static_cast<int>(row), 0};
                return;
            }
        }
    });
    return found;
}

void SelectAlbums(AlbumView& view, const std::vector<int>& albums) {
    if (IsThumbnailMode(view)) {
        for (int k : albums) {
            const GridCellId cell = AlbumCell(view, k);
            if (cell.IsValid()) {
                view.grid.SetSelected(cell.row, cell.column, true);
            }
        }
        return;
    }
    // The rows are looked up once, not once per album: a long list keeps a long selection.
    std::unordered_map<std::int64_t, int> rowOf;
    view.grid.Visit([&](const GridState& grid) {
        for (std::size_t row = grid.fixedRows; row < grid.rows.size(); ++row) {
            const std::vector<GridCell>& cells = grid.rows[row].cells;
            if (!cells.empty()) {
                rowOf.emplace(cells[0].itemData, static_cast<int>(row));
            }
        }
    });
    for (int k : albums) {
        if (auto it = rowOf.find(k); k >= 0 && it != rowOf.end()) {
            view.grid.SelectRows(it->second, it->second);
        }
    }
}
