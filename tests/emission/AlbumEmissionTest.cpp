// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "GridCtrl_src/AlbumGrid.h"
#include "MyCode/StringCtrl.h"
#include "emission/EmissionFixture.h"
#include "jobs/Emission.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "support/FixtureServer.h"

namespace {

class AlbumEmission : public EmissionFixture {
protected:
    void SwitchLayout(bool thumbnails) {
        view.previewMode = thumbnails ? 1 : 0;
        view.modeSwitch = MODE_SWITCH_RUNNING;
        RebuildView();
    }

    // Column texts of every album row (below the header in row mode).
    std::vector<std::u16string> Column(int column) const {
        std::vector<std::u16string> texts;
        for (int row = view.grid.FixedRowCount(); row < view.grid.RowCount(); ++row) {
            texts.push_back(view.grid.CellText(row, column));
        }
        return texts;
    }

    std::vector<std::u16string> RecordNames() const {
        std::vector<std::u16string> names;
        for (std::size_t i = 0; i < job.list.albums.Size(); ++i) {
            names.push_back(job.list.albums.Get(i)->name);
        }
        return names;
    }
};

TEST_F(AlbumEmission, RowLayoutHasTheHeaderRowAndBothLayoutsStartEmpty) {
    Emit(Album(u"old"));
    view.grid.SelectRows(0, 1);
    SetUpRowLayout(view);
    EXPECT_EQ(view.grid.RowCount(), 1);
    EXPECT_EQ(view.grid.FixedRowCount(), 1);
    EXPECT_EQ(view.grid.FixedColumnCount(), 0);
    EXPECT_TRUE(view.grid.ListMode());
    EXPECT_EQ(Texts({u"序号", u"名称", u"数量", u"备注", u"", u""}),
              Texts({view.grid.CellText(0, 0), view.grid.CellText(0, 1), view.grid.CellText(0, 2),
                     view.grid.CellText(0, 3), view.grid.CellText(0, 4), view.grid.CellText(0, 5)}));
    std::vector<int> widths;
    for (int column = 0; column < view.grid.ColumnCount(); ++column) {
        widths.push_back(view.grid.ColumnWidth(column));
    }
    EXPECT_EQ(widths, std::vector<int>({50, 575, 50, 100, 0, 0}));
    EXPECT_TRUE(view.grid.SelectedCells().empty());

    Emit(Album(u"old"));
    SetUpThumbnailLayout(view);
    EXPECT_EQ(view.grid.RowCount(), 0);
    EXPECT_EQ(view.grid.FixedRowCount(), 0);
    EXPECT_EQ(view.grid.ColumnCount(), 6);
    EXPECT_EQ(view.grid.ColumnWidth(5), THUMB_WIDTH + 2 * GridData::DEFAULT_CELL_MARGIN);
    EXPECT_FALSE(view.grid.ListMode());
    EXPECT_TRUE(view.grid.SelectedCells().empty());
}

TEST_F(AlbumEmission, EqualNamesAreNumberedAndTheRowsShowThem) {
    for (int i = 0; i < 3; ++i) {
        Emit(Album(u"Summer"));
    }
    Emit(Album(u"Summer (1)"));  // taken by the second album: counts on
    Emit(Album(u"summer"));      // letter case makes a different name
    EXPECT_EQ(RecordNames(), Texts({u"Summer", u"Summer (1)", u"Summer (2)", u"Summer (1) (1)", u"summer"}));
    EXPECT_EQ(Column(0), Texts({u"0001", u"0002", u"0003", u"0004", u"0005"}));
    EXPECT_EQ(Column(1), RecordNames());
    // The front end is told each album as the list keeps it.
    const std::vector<RecordingJobEvents::Listed> listed = events.AlbumsListed();
    ASSERT_EQ(listed.size(), 5u);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(view.grid.ItemData(k + 1, 0), k);
        EXPECT_EQ(job.list.albums.Get(k)->listIndex, k);
        EXPECT_EQ(job.list.albums.Get(k)->imageIndex, -1);
        EXPECT_EQ(listed[k].album, k);
        EXPECT_EQ(listed[k].record.name, RecordNames()[k]);
        EXPECT_EQ(listed[k].record.listIndex, k);
        EXPECT_EQ(listed[k].record.imageIndex, -1);
    }
}

// Thousands of albums of one name keep counting up, and a renamed album frees its name.
TEST_F(AlbumEmission, ThousandsOfEqualNamesAreNumberedInOrder) {
    constexpr int kAlbums = 3000;
    for (int i = 0; i < kAlbums; ++i) {
        Emit(Album(u"N"));
    }
    ASSERT_EQ(job.list.albums.Size(), static_cast<std::size_t>(kAlbums));
    EXPECT_EQ(job.list.albums.CopyOf(0)->name, u"N");
    for (int k = 1; k < kAlbums; k += 499) {
        EXPECT_EQ(job.list.albums.CopyOf(k)->name, StringCtrl::Format(u"N (%d)", {k}));
    }
    ASSERT_TRUE(job.list.albums.Rename(1, u"other"));
    Emit(Album(u"N"));
    EXPECT_EQ(job.list.albums.CopyOf(kAlbums)->name, u"N (1)");
}

TEST_F(AlbumEmission, NamesAreCleanedAndAnEmptyOneBecomesATimeStamp) {
    Emit(Album(u"  a  b:c*  "));
    Emit(Album(u" /:*?| "));
    EXPECT_EQ(job.list.albums.Get(0)->name, u"a bc");
    std::u16string stamp = job.list.albums.Get(1)->name;
    ASSERT_EQ(stamp.size(), 14u);
    EXPECT_EQ(stamp.find_first_not_of(u"0123456789"), std::u16string::npos);
    EXPECT_EQ(view.grid.CellText(2, 1), stamp);
}

TEST_F(AlbumEmission, LongNamesAreKeptWithEightyCharactersAndStayUnique) {
    std::u16string longName(100, u'x');
    Emit(Album(longName));
    Emit(Album(longName + u"y"));  // equal to the first once both are cut
    std::u16string kept(80, u'x');
    EXPECT_EQ(job.list.albums.Get(0)->name, kept);
    EXPECT_EQ(view.grid.CellText(1, 1), kept);
    // The second would share the first's folder: it is numbered within the 80 characters.
    EXPECT_EQ(job.list.albums.Get(1)->name, std::u16string(76, u'x') + u" (1)");

    // A cut never leaves half of a character outside the basic plane.
    std::u16string wide = std::u16string(79, u'w') + u"😀";
    Emit(Album(wide));
    EXPECT_EQ(job.list.albums.Get(2)->name, std::u16string(79, u'w'));
}

TEST_F(AlbumEmission, CountAndPrivacyTexts) {
    struct Case {
        int count;
        int privacy;
        std::u16string countText;
        std::u16string privacyText;
    };
    const std::vector<Case> cases = {
        {12, 0, u"  12", u""},
        {0, 1, u"   0", u"加密相册"},
        {3, 3, u"   3", u"加密相册"},  // encrypted wins over private
        {3, 2, u"   3", u"私密相册"},
        {3, 6, u"   3", u"私密相册"},  // private wins over friends only
        {3, 4, u"   3", u"好友可见"},
        {3, 8, u"   3", u""},
        {12345, 0, u"12345", u""},
        {-1, 0, u"未知", u""},
        {-7, 0, u"未知", u""},  // no count either; never a huge unsigned number
        {1, INT_MIN | 5, u"   1", u"00000005"},
        {1, -1, u"   1", u"2147483647"},
        {1, INT_MIN | 123456789, u"   1", u"123456789"},
    };
    for (const Case& c : cases) {
        Emit(Album(u"a", c.count, c.privacy));
        int row = view.grid.RowCount() - 1;
        EXPECT_EQ(view.grid.CellText(row, 2), c.countText) << c.count;
        EXPECT_EQ(view.grid.CellText(row, 3), c.privacyText) << c.privacy;
        EXPECT_EQ(view.grid.CellText(row, 4), u"");
        EXPECT_EQ(view.grid.CellText(row, 5), u"");
    }
}

TEST_F(AlbumEmission, FilterNumbersTheShownRowsAndKeepsTheAlbumPositions) {
    view.filterText = u"猫";
    for (const char16_t* name : {u"猫1", u"狗2", u"猫3"}) {
        Emit(Album(name));
    }
    EXPECT_EQ(job.list.albums.Size(), 3u);
    EXPECT_EQ(Column(0), Texts({u"0001", u"0002"}));
    EXPECT_EQ(Column(1), Texts({u"猫1", u"猫3"}));
    EXPECT_EQ(view.grid.ItemData(1, 0), 0);
    EXPECT_EQ(view.grid.ItemData(2, 0), 2);
    SelectAllAlbums(view, true);
    EXPECT_EQ(SelectedAlbumIndices(view, job.list.albums), std::vector<int>({0, 2}));

    // A rebuild applies the filter and ends it: the next one shows every album.
    RebuildView();
    EXPECT_EQ(Column(1), Texts({u"猫1", u"猫3"}));
    EXPECT_TRUE(view.filterText.empty());
    RebuildView();
    EXPECT_EQ(Column(1), Texts({u"猫1", u"狗2", u"猫3"}));
}

TEST_F(AlbumEmission, RowSelectionIsTopToBottomThroughColumnZero) {
    for (int k = 0; k < 5; ++k) {
        Emit(Album(u"a" + std::u16string(1, u'0' + k)));
    }
    // The view may show rows in any order: column 0 says which album a row is.
    view.grid.SetItemData(2, 0, 3);
    view.grid.SetItemData(4, 0, 1);
    view.grid.SetSelected(4, 5, true);  // any cell selects its row
    view.grid.SetSelected(2, 1, true);
    view.grid.SetSelected(0, 0, true);  // the header is no album
    EXPECT_EQ(SelectedAlbumIndices(view, job.list.albums), std::vector<int>({3, 1}));

    view.grid.SetItemData(2, 0, 99);  // left from an earlier list
    EXPECT_EQ(SelectedAlbumIndices(view, job.list.albums), std::vector<int>({1}));

    SelectAllAlbums(view, false);
    EXPECT_TRUE(SelectedAlbumIndices(view, job.list.albums).empty());
}

// A selection kept over a rebuild comes back where the albums are shown; albums filtered out, or
// not in the list, select nothing.
TEST_F(AlbumEmission, KeptSelectionReturnsToTheRowsShown) {
    for (const char16_t* name : {u"猫1", u"狗2", u"猫3", u"猫4"}) {
        Emit(Album(name));
    }
    view.filterText = u"猫";
    RebuildView();
    SelectAlbums(view, {3, 1, 0, 99, -1});
    EXPECT_EQ(SelectedAlbumIndices(view, job.list.albums), std::vector<int>({0, 3}));

    SwitchLayout(true);
    SelectAlbums(view, {3, 1, 99});
    EXPECT_EQ(SelectedAlbumIndices(view, job.list.albums), std::vector<int>({1, 3}));
}

TEST_F(AlbumEmission, ThumbnailCellsSixToARow) {
    SwitchLayout(true);
    for (int k = 0; k < 8; ++k) {
        Emit(Album(u"n" + std::u16string(1, u'0' + k)));
    }
    ASSERT_EQ(view.grid.RowCount(), 2);  // the seventh album starts the second row
    EXPECT_EQ(view.grid.RowHeight(0), PREVIEW_ROW_HEIGHT);
    EXPECT_EQ(view.grid.RowHeight(1), 130);
    GridCell seventh = view.grid.Cell(1, 0);
    EXPECT_EQ(seventh.text, u"7.n6");
    EXPECT_EQ(seventh.itemData, 6);
    EXPECT_TRUE(seventh.imageAboveText);
    EXPECT_EQ(seventh.image, -1);  // no cover address: text only, no download tried
    EXPECT_TRUE(covers.Files().empty());
    EXPECT_EQ(view.grid.CellText(0, 5), u"6.n5");
    EXPECT_EQ(view.grid.CellText(1, 2), u"");

    // The filter does not apply to thumbnails.
    view.filterText = u"n7";
    Emit(Album(u"other"));
    EXPECT_EQ(view.grid.CellText(1, 2), u"9.other");
}

TEST_F(AlbumEmission, ThumbnailSelectionRowByRowAmongTheFirstCells) {
    SwitchLayout(true);
    for (int k = 0; k < 8; ++k) {
        Emit(Album(u"n"));
    }
    view.grid.SetSelected(1, 1, true);  // album 7
    view.grid.SetSelected(0, 2, true);  // album 2
    view.grid.SetSelected(1, 4, true);  // cell 10: past the albums
    view.grid.SetSelected(0, 4, true);
    view.grid.SetItemData(0, 4, 8);  // an index past the albums
    EXPECT_EQ(SelectedAlbumIndices(view, job.list.albums), std::vector<int>({2, 7}));
}

TEST_F(AlbumEmission, ThumbnailsAreMadeFromTheCoverOnceAndRetriedAfterAFailure) {
    FixtureServer server;
    const std::string cover = "\xFF\xD8\xFF\xE0" + std::string(300, 'J');  // starts like a JPEG
    server.Serve("/cover.jpg", cover, "image/jpeg");
    covers.SetNextIndex(0);

    ST_PERLISTRECORD good = Album(u"good");
    good.coverUrl = server.BaseUrl16() + u"/cover.jpg";
    ST_PERLISTRECORD bad = Album(u"bad");
    bad.coverUrl = server.BaseUrl16() + u"/missing.jpg";
    // An error page is no picture, and neither is an empty answer; neither is kept as a file.
    server.Serve("/missing.jpg", "<html>404 Not Found</html>", "text/html");
    Emit(good);
    Emit(bad);

    SwitchLayout(true);
    EXPECT_EQ(covers.Files(), Texts({dir.Path() + u"tmp/0.jpg"}));
    std::string saved;
    ASSERT_TRUE(FileSystem::ReadFile(dir.Path() + u"tmp/0.jpg", saved));
    EXPECT_EQ(saved, cover);
    EXPECT_FALSE(FileSystem::Exists(dir.Path() + u"tmp/1.jpg"));
    EXPECT_EQ(job.list.albums.Get(0)->imageIndex, 0);
    EXPECT_EQ(view.grid.Cell(0, 0).image, 0);
    EXPECT_EQ(view.grid.Cell(0, 1).image, -1);
    EXPECT_EQ(view.grid.CellText(0, 1), u"2.bad");
    EXPECT_EQ(view.modeSwitch.load(), MODE_SWITCH_IDLE);

    // Back to rows and to thumbnails again: the thumbnail is reused, the failed one tried again.
    server.ClearRequests();
    SwitchLayout(false);
    EXPECT_EQ(Column(1), Texts({u"good", u"bad"}));
    SwitchLayout(true);
    EXPECT_EQ(server.RequestsTo("/cover.jpg").size(), 0u);
    EXPECT_EQ(server.RequestsTo("/missing.jpg").size(), 1u);
    EXPECT_EQ(view.grid.Cell(0, 0).image, 0);
}

TEST_F(AlbumEmission, AnInterruptedSwitchShowsOnlyTheAlbumsSoFar) {
    for (int k = 0; k < 4; ++k) {
        Emit(Album(u"a"));
    }
    view.previewMode = 1;
    view.modeSwitch = MODE_SWITCH_INTERRUPT;
    RebuildView();
    EXPECT_EQ(view.grid.RowCount(), 0);
    EXPECT_EQ(view.modeSwitch.load(), MODE_SWITCH_IDLE);
}

}  // namespace
