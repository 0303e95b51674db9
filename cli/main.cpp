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
#include "cli/InterruptWatch.h"
#include "cli/TerminalText.h"
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

// The exit codes scripts can tell apart (the usage lists them).
constexpr int kExitPicturesFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitCannotStart = 3;

void PrintAlbumRows(const GridData& grid) {
    for (int row = grid.FixedRowCount(); row < grid.RowCount(); ++row) {
        std::u16string line;
        for (int column = 0; column < 4; ++column) {
            if (column > 0) {
                line.push_back(u'\t');
            }
            // A tab or line break inside a cell would break the row apart.
            line += VisibleText(grid.CellText(row, column), false);
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

// The exit code of a download command whose jobs have ended.
int DownloadExitCode(bool started, const CliWindowPort::JobReport& job) {
    if (!started || !job.ended || job.end == DownloadEnd::NotStarted) {
        return kExitCannotStart;
    }
    if (job.tally.failed > 0 || job.end == DownloadEnd::DiskFull) {
        return kExitPicturesFailed;
    }
    return 0;
}

int Run(const CliOptions& options, InterruptWatch& interrupts) {
    ProgramDir::Choice place = ProgramDir::Settle(options.programDir ? FolderPath(*options.programDir) : u"");
    const std::u16string& programDir = place.folder;
    if (!FileSystem::CreateDirectories(programDir)) {
        std::fprintf(stderr, "orvelle-cli: cannot create the program folder %s\n",
                     CodePage::ToUtf8(programDir).c_str());
        return kExitCannotStart;
    }
    if (!CookieStore::Instance().SetProgramFolder(programDir)) {
        std::fprintf(stderr, "orvelle-cli: cannot read %scookies.txt\n",
                     CodePage::ToUtf8(programDir).c_str());
        return kExitCannotStart;
    }
    if (options.cookiesFile) {
        int taken = CookieStore::Instance().ImportFile(CodePage::FromUtf8(*options.cookiesFile));
        if (taken < 0) {
            std::fprintf(stderr, "orvelle-cli: cannot read the cookies file %s\n",
                         options.cookiesFile->c_str());
            return kExitCannotStart;
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
    job->list.siteType = site;
    job->ready = 1;
    SetUpAlbumGrid(*job);

    bool download = options.command == CliOptions::Command::Download;
    bool started = false;
    {
        JobController controller(*job, AdapterTable::Default());
        interrupts.SetStop([&controller, &port, told = false]() mutable {
            controller.RequestStop();
            if (!told) {
                told = true;
                port.Print(u"[orvelle-cli] 正在终止：正在下载的图片完成后结束，再按一次 Ctrl-C 立即退出");
            }
        });
        // "list" only lists, even for the item pages that the window downloads at once.
        controller.SetAutoDownload(download);
        controller.PressListButton();
        controller.WaitForJobs();
        if (download && controller.DownloadsStarted() == 0 && interrupts.Signal() == 0) {
            SelectAlbumRows(job->grid, options.albums, port);
            controller.PressDownloadButton();
            controller.WaitForJobs();
        }
        started = controller.DownloadsStarted() > 0;
        interrupts.SetStop({});
    }
    if (!download) {
        PrintAlbumRows(job->grid);
    }
    if (int signal = interrupts.Signal(); signal != 0) {
        return 128 + signal;  // as shells report a command ended by that signal
    }
    return download ? DownloadExitCode(started, port.LastJob()) : 0;
}

}  // namespace

int main(int argc, char** argv) {
    CliOptions options;
    std::string error;
    if (!options.Parse(argc, argv, error)) {
        std::fprintf(stderr, "orvelle-cli: %s\n\n%s", error.c_str(), CliOptions::Usage().c_str());
        return kExitUsage;
    }
    if (options.help) {
        std::fputs(CliOptions::Usage().c_str(), stdout);
        return 0;
    }
    // Before any other thread starts, so that every thread leaves the two signals to the watch.
    InterruptWatch interrupts;
    return Run(options, interrupts);
}
