// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

class GridData;

// The album list's CSV export: no header line, every cell followed by a comma (so every line ends
// with one, as the format's readers know it), the line in GBK and ended by CR LF. A cell is an
// RFC 4180 field, so that an album name with a comma keeps its row's columns in any spreadsheet:
// quoted when it holds a comma, a quote or a line break, its quotes doubled.

// One cell as written, with its trailing comma (still UTF-16).
std::u16string CsvCell(std::u16string_view text);
// One line: the cells in order, in GBK, with CR LF.
std::string CsvLine(const std::vector<std::u16string>& cells);
// Every row below the fixed rows, top to bottom.
std::string AlbumGridCsv(const GridData& grid);
// Writes AlbumGridCsv to path in one step (an existing file is replaced); false when the file
// cannot be written, and then nothing is left behind.
bool ExportAlbumGridCsv(const GridData& grid, std::u16string_view path);
