// orvelle-cli: the album-list and download jobs without a window, for scripts, servers and tests.

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "GridCtrl_src/AlbumGrid.h"
#include "MyCode/CookieStore.h"
#include "MyCode/StringCtrl.h"
#include "cli/CliOptions.h"
#include "cli/CliWindowPort.h"
#include "core/JobContext.h"
#include "core/JobController.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "settings/ProgramDir.h"
#include "settings/SettingsFile.h"
#include "sites/AdapterTable.h"
#include "sites/SiteCatalogue.h"

namespace {

// An absolute folder path ending with "/".
std::u16string FolderPath(const std::string& given) {
    std::u16string path = CodePage::FromUtf8(given);
    if (path.empty() || path.front() != u'/') {
        path = FileSystem::CurrentDirectory() + path;
    }
    if (path.back() != u'/') {
        path.push_back(u'/');
    }
    return path;
}

void PrintAlbumRows(const GridData& grid) {
    for (int row = grid.FixedRowCount(); row < grid.RowCount(); ++row) {
        std::u16string line;
        for (int column = 0; column < 4; ++column) {
            if (column > 0) {
                line.push_back(u'\t');
            }
            line += grid.CellText(row, column);
        }
        std::printf("%s\n", CodePage::ToUtf8(line).c_str());
    }
    std::fflush(stdout);
}

// Selects the rows --albums names, as a user clicks them; tells about numbers past the last row.
void SelectAlbumRows(GridData& grid, const AlbumSelection& albums, CliWindowPort& port) {
    grid.ClearSelection();
    int lastShown = 0;
    for (int row = grid.FixedRowCount(); row < grid.RowCount(); ++row) {
        int shown = StringCtrl::DecimalValue(grid.CellText(row, 0));
        lastShown = std::max(lastShown, shown);
        if (albums.Contains(shown)) {
            grid.SelectRows(row, row);
        }
    }
    if (!albums.All() && albums.Highest() > lastShown) {
        port.Print(StringCtrl::Format(u"[orvelle-cli] 只有%d个相册，超出的行号已忽略", {lastShown}));
    }
}

int Run(const CliOptions& options) {
    ProgramDir::Choice place = ProgramDir::Settle(options.programDir ? FolderPath(*options.programDir) : u"");
    const std::u16string& programDir = place.folder;
    if (!FileSystem::CreateDirectories(programDir)) {
        std::fprintf(stderr, "orvelle-cli: cannot create the program folder %s\n",
                     CodePage::ToUtf8(programDir).c_str());
        return 1;
    }
    if (!CookieStore::Instance().SetProgramFolder(programDir)) {
        std::fprintf(stderr, "orvelle-cli: cannot read %scookies.txt\n",
                     CodePage::ToUtf8(programDir).c_str());
        return 1;
    }
    if (options.cookiesFile) {
        int taken = CookieStore::Instance().ImportFile(CodePage::FromUtf8(*options.cookiesFile));
        if (taken < 0) {
            std::fprintf(stderr, "orvelle-cli: cannot read the cookies file %s\n",
                         options.cookiesFile->c_str());
            return 1;
        }
    }

    auto job = std::make_unique<JobContext>();
    job->programDir = programDir;
    SettingsFile::Load(*job);

    std::u16string input = CodePage::FromUtf8(options.input);
    // The window's site detection; with no hit the site box stays at its first entry.
    DetectedSite detected = DetectSite(input);
    int site = options.site.value_or(detected.hit ? detected.siteType : SITE_TENCENT);
    // The sub-mode box stays at Qzone unless --submode says otherwise; a Tencent Weibo address is
    // still recognised by the normalisation itself.
    int subMode = options.subMode.value_or(TENCENT_QZONE);
    std::u16string savePath;
    if (options.savePath) {
        savePath = FolderPath(*options.savePath);
    } else {
        savePath = job->pathHistory[0].empty() ? ProgramDir::DefaultSaveFolder(place) : job->pathHistory[0];
    }

    CliWindowPort port(input, savePath, site, subMode, options.answerYes);
    job->window = &port;
    job->siteType = site;
    job->ready = 1;
    SetUpAlbumGrid(*job);

    bool download = options.command == CliOptions::Command::Download;
    {
        JobController controller(*job, AdapterTable::Default());
        // "list" only lists, even for the item pages that the window downloads at once.
        controller.SetAutoDownload(download);
        controller.PressListButton();
        controller.WaitForJobs();
        if (!download) {
            PrintAlbumRows(job->grid);
            return 0;
        }
        if (controller.DownloadsStarted() == 0) {
            SelectAlbumRows(job->grid, options.albums, port);
            controller.PressDownloadButton();
            controller.WaitForJobs();
            if (controller.DownloadsStarted() == 0) {
                return 1;
            }
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CliOptions options;
    std::string error;
    if (!options.Parse(argc, argv, error)) {
        std::fprintf(stderr, "orvelle-cli: %s\n\n%s", error.c_str(), CliOptions::Usage().c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(CliOptions::Usage().c_str(), stdout);
        return 0;
    }
    return Run(options);
}
