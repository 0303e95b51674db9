#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GridCtrl_src/CsvExport.h"
#include "GridCtrl_src/GridData.h"
#include "platform/FileSystem.h"
#include "support/TempDir.h"

namespace {

TEST(CsvExport, CellRules) {
    struct Case {
        std::u16string text;
        std::u16string written;
    };
    const std::vector<Case> cases = {
        {u"He said \"hi\", ok", u"He said \"\"hi\"\"',' ok,"},
        {u"it's mine", u"its mine,"},
        {u"'a','b'", u"a','b,"},  // the apostrophes the comma rule adds are the only ones left
        {u"", u","},
        {u"猫", u"猫,"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CsvCell(c.text), c.written);
    }
}

TEST(CsvExport, RowsBelowTheHeaderInGbkWithCrLf) {
    GridData grid;
    grid.Reset(1, 6, 1, 0);
    grid.SetCellText(0, 0, u"序号");  // the header row is not written
    std::vector<GridCell> first(6);
    first[0].text = u"0001";
    first[1].text = u"猫";
    first[2].text = u"   3";
    std::vector<GridCell> second(6);
    second[0].text = u"0002";
    second[1].text = u"He said \"hi\", ok";
    grid.AppendRow(first);
    grid.AppendRow(second);

    EXPECT_EQ(AlbumGridCsv(grid),
              "0001,\xC3\xA8,   3,,,,\r\n"
              "0002,He said \"\"hi\"\"',' ok,,,,,\r\n");
}

TEST(CsvExport, WritesTheFileOrNothing) {
    TempDir dir;
    GridData grid;
    grid.Reset(1, 6, 1, 0);
    const std::u16string path = dir.Path() + u"albums.csv";

    // An empty list gives an empty file, and a later export replaces it.
    ASSERT_TRUE(ExportAlbumGridCsv(grid, path));
    std::string bytes = "x";
    ASSERT_TRUE(FileSystem::ReadFile(path, bytes));
    EXPECT_EQ(bytes, "");
    std::vector<GridCell> row(6);
    row[1].text = u"a";
    grid.AppendRow(row);
    ASSERT_TRUE(ExportAlbumGridCsv(grid, path));
    ASSERT_TRUE(FileSystem::ReadFile(path, bytes));
    EXPECT_EQ(bytes, ",a,,,,,\r\n");

    // A file that cannot be created: nothing is written anywhere.
    EXPECT_FALSE(ExportAlbumGridCsv(grid, dir.Path() + u"missing/albums.csv"));
    EXPECT_FALSE(FileSystem::Exists(dir.Path() + u"missing"));
}

}  // namespace
