// SPDX-License-Identifier: GPL-3.0-or-later
#include "GridCtrl_src/CsvExport.h"

#include "GridCtrl_src/GridData.h"
#include "MyCode/StringCtrl.h"
#include "platform/FileSystem.h"

std::u16string CsvCell(std::u16string_view text) {
    std::u16string cell(text);
    if (cell.find_first_of(u",\"\r\n") != std::u16string::npos) {
        StringCtrl::ReplaceAll(cell, u"\"", u"\"\"");
        cell = u'"' + cell + u'"';
    }
    cell += u',';
    return cell;
}

std::string CsvLine(const std::vector<std::u16string>& cells) {
    std::u16string line;
    for (const std::u16string& cell : cells) {
        line += CsvCell(cell);
    }
    return StringCtrl::ToGbk(line) + "\r\n";
}

std::string AlbumGridCsv(const GridData& grid) {
    std::string csv;
    grid.Visit([&](const GridState& state) {
        for (std::size_t row = state.fixedRows; row < state.rows.size(); ++row) {
            std::vector<std::u16string> texts;
            for (const GridCell& cell : state.rows[row].cells) {
                texts.push_back(cell.text);
            }
            csv += CsvLine(texts);
        }
    });
    return csv;
}

bool ExportAlbumGridCsv(const GridData& grid, std::u16string_view path) {
    return FileSystem::WriteFileAtomic(path, AlbumGridCsv(grid));
}
