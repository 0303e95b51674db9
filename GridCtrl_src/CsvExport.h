#pragma once

#include <string>
#include <string_view>
#include <vector>

class GridData;

// The album list's CSV export, in the format its readers know: no header line, every cell followed
// by a comma (so every line ends with one), apostrophes dropped, quotes doubled, a comma inside a
// cell written as "','", the line in GBK and ended by CR LF.

// One cell as written, with its trailing comma (still UTF-16).
std::u16string CsvCell(std::u16string_view text);
// One line: the cells in order, in GBK, with CR LF.
std::string CsvLine(const std::vector<std::u16string>& cells);
// Every row below the fixed rows, top to bottom.
std::string AlbumGridCsv(const GridData& grid);
// Writes AlbumGridCsv to path in one step (an existing file is replaced); false when the file
// cannot be written, and then nothing is left behind.
bool ExportAlbumGridCsv(const GridData& grid, std::u16string_view path);
