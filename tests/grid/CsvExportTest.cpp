// SPDX-License-Identifier: GPL-3.0-or-later
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
        {u"He said \"hi\", ok", u"\"He said \"\"hi\"\", ok\","},
        {u"甲,乙 逗号", u"\"甲,乙 逗号\","},
        {u"say \"x\"", u"\"say \"\"x\"\"\","},
        {u"two\nlines", u"\"two\nlines\","},
        {u"cr\rhere", u"\"cr\rhere\","},
        {u"it's mine", u"it's mine,"},  // an apostrophe is plain text
        {u"", u","},
        {u"猫", u"猫,"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CsvCell(c.text), c.written);
    }
}

// The fields of one line as a spreadsheet reads them (RFC 4180), the trailing comma's empty field
// included.
std::vector<std::u16string> ReadFields(std::u16string_view line) {
    std::vector<std::u16string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        char16_t c = line[i];
        if (quoted && c == u'"' && i + 1 < line.size() && line[i + 1] == u'"') {
            fields.back() += u'"';
            ++i;
        } else if (c == u'"') {
            quoted = !quoted;
        } else if (c == u',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

TEST(CsvExport, EveryCellReadsBackAsOneField) {
    const std::vector<std::u16string> row = {u"0001",   u"甲,乙 逗号", u"say \"x\", \"y\"",
                                             u"a\r\nb", u"it's",       u""};
    std::u16string line;
    for (const std::u16string& cell : row) {
        line += CsvCell(cell);
    }
    std::vector<std::u16string> fields = ReadFields(line);
    ASSERT_EQ(fields.size(), row.size() + 1);
    for (std::size_t i = 0; i < row.size(); ++i) {
        EXPECT_EQ(fields[i], row[i]);
    }
    EXPECT_EQ(fields.back(), u"");
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
              "0002,\"He said \"\"hi\"\", ok\",,,,,\r\n");
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
