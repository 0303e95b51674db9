// SPDX-License-Identifier: GPL-3.0-or-later
// orvelle-cli: the album-list and download jobs without a window, for scripts, servers and tests.

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "GridCtrl_src/AlbumGrid.h"
#include "MyCode/CookieStore.h"
#include "MyCode/StringCtrl.h"
#include "cli/CliJobEvents.h"
#include "cli/CliOptions.h"
#include "cli/InterruptWatch.h"
#include "cli/JsonLines.h"
#include "cli/TerminalText.h"
#include "jobs/JobContext.h"
#include "jobs/JobController.h"
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
constexpr int kExitSiteUnread = 4;

// The columns of stderr when it is a terminal that can redraw a line; 0 otherwise.
int TerminalColumns() {
    if (isatty(STDERR_FILENO) == 0) {
        return 0;
    }
    if (const char* term = std::getenv("TERM"); term != nullptr && std::string_view(term) == "dumb") {
        return 0;
    }
    winsize size{};
    if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
        return size.ws_col;
    }
    return 80;
}

// One line per album, as the grid's rows show them: number, name, count and remark; or one JSON
// object per album.
void PrintAlbumRows(const AlbumList& albums, JsonLines* json) {
    for (std::size_t k = 0; k < albums.Size(); ++k) {
        const std::optional<ST_PERLISTRECORD> album = albums.CopyOf(static_cast<int>(k));
        if (!album) {
            break;
        }
        if (json != nullptr) {
            json->Write(JsonLines::Album(static_cast<int>(k) + 1, *album));
            continue;
        }
        const std::u16string cells[] = {StringCtrl::Format(u"%04d", {static_cast<long long>(k + 1)}),
                                        album->name, PictureCountText(album->pictureCount),
                                        PrivacyText(album->privacy)};
        std::u16string line;
        for (const std::u16string& cell : cells) {
            if (&cell != &cells[0]) {
                line.push_back(u'\t');
            }
            // A tab or line break inside a cell would break the row apart.
            line += VisibleText(cell, false);
        }
        std::printf("%s\n", CodePage::ToUtf8(line).c_str());
    }
    std::fflush(stdout);
}

// The albums --albums names by their row numbers, in list order; tells about numbers past the
// last row.
std::vector<int> SelectedAlbums(const AlbumList& albums, const AlbumSelection& selection,
                                CliJobEvents& events) {
    const int rows = static_cast<int>(albums.Size());
    std::vector<int> selected;
    for (int row = 1; row <= rows; ++row) {
        if (selection.Contains(row)) {
            selected.push_back(row - 1);
        }
    }
    if (!selection.All() && selection.Highest() > rows) {
        events.Print(StringCtrl::Format(u"[orvelle-cli] 只有%d个相册，超出的行号已忽略", {rows}));
    }
    return selected;
}

// The exit code of a download command whose jobs have ended.
int DownloadExitCode(bool started, const CliJobEvents::JobReport& job) {
    if (!started || !job.ended || job.end == DownloadEnd::NotStarted) {
        return kExitCannotStart;
    }
    if (job.tally.failed > 0 || job.tally.failedAlbums > 0 || job.end == DownloadEnd::DiskFull) {
        return kExitPicturesFailed;
    }
    return 0;
}

int Run(const CliOptions& options, InterruptWatch& interrupts) {
    // Until the job runs, a signal ends the program between two steps, or between two lines of a
    // file being read, with nothing sent to any site.
    const std::function<bool()> signalled = [&interrupts] { return interrupts.Signal() != 0; };
    ProgramDir::Choice place = ProgramDir::Settle(options.programDir ? FolderPath(*options.programDir) : u"");
    const std::u16string& programDir = place.folder;
    if (!FileSystem::CreateDirectories(programDir)) {
        std::fprintf(stderr, "orvelle-cli: cannot create the program folder %s\n",
                     CodePage::ToUtf8(programDir).c_str());
        return kExitCannotStart;
    }
    // Settings and cookies that could not be kept would be lost without a word.
    if (const std::u16string part = ProgramDir::UnwritablePart(programDir); !part.empty()) {
        std::fprintf(stderr, "orvelle-cli: cannot write %s in the program folder\n",
                     CodePage::ToUtf8(part).c_str());
        return kExitCannotStart;
    }
    if (!CookieStore::Instance().SetProgramFolder(programDir, signalled)) {
        std::fprintf(stderr, "orvelle-cli: cannot read %scookies.txt\n",
                     CodePage::ToUtf8(programDir).c_str());
        return kExitCannotStart;
    }
    if (int signal = interrupts.Signal(); signal != 0) {
        return 128 + signal;
    }
    if (options.cookiesFile) {
        int taken = CookieStore::Instance().ImportFile(CodePage::FromUtf8(*options.cookiesFile), signalled);
        if (taken == CookieStore::IMPORT_STOPPED) {
            return 128 + interrupts.Signal();
        }
        if (taken == CookieStore::IMPORT_NOT_A_FILE) {
            std::fprintf(stderr, "orvelle-cli: the cookies file %s is not a regular file\n",
                         options.cookiesFile->c_str());
            return kExitCannotStart;
        }
        if (taken < 0) {
            std::fprintf(stderr, "orvelle-cli: cannot read the cookies file %s\n",
                         options.cookiesFile->c_str());
            return kExitCannotStart;
        }
    }

    auto context = std::make_unique<JobContext>();
    ProgramSettings& settings = context->settings;
    settings.programDir = programDir;
    SettingsFile::Load(settings);
    if (int signal = interrupts.Signal(); signal != 0) {
        return 128 + signal;
    }

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
        savePath =
            settings.pathHistory[0].empty() ? ProgramDir::DefaultSaveFolder(place) : settings.pathHistory[0];
    }

    CliJobEvents events(options.answerYes);
    const bool download = options.command == CliOptions::Command::Download;
    JsonLines json;
    if (options.json && download) {
        events.SetJson(&json);
    }
    if (int columns = TerminalColumns(); columns > 0) {
        events.SetTerminal(columns);
    }
    events.SetAlbumNames([&context](int album) {
        std::optional<ST_PERLISTRECORD> record = context->list.albums.CopyOf(album);
        return record ? record->name : std::u16string();
    });
    bool started = false;
    bool unread = false;  // the list found nothing because the site could not be read
    {
        JobController controller(*context, AdapterTable::Default(), events);
        interrupts.SetStop([&controller, &events, told = false]() mutable {
            controller.RequestStop();
            if (!told) {
                told = true;
                events.Print(u"[orvelle-cli] 正在终止：正在下载的图片完成后结束，再按一次 Ctrl-C 立即退出");
            }
        });
        // A signal that came while the watch had no stop to call yet starts no job at all.
        if (interrupts.Signal() == 0) {
            // The sub-mode box shows for site type 0 only.
            controller.PressListButton({.siteType = site,
                                        .subMode = site == SITE_TENCENT ? subMode : SUBMODE_UNSET,
                                        .input = input});
            controller.WaitForJobs();
        }
        unread = events.LastList().unread;
        if (download && !unread && interrupts.Signal() == 0) {
            // An item page's one album is downloaded at once, as in the window; otherwise the rows
            // --albums names.
            const CliJobEvents::ListReport list = events.LastList();
            std::vector<int> albums = list.downloadAtOnce
                                          ? std::vector<int>{0}
                                          : SelectedAlbums(context->list.albums, options.albums, events);
            controller.PressDownloadButton(
                {.saveFolder = savePath, .albums = std::move(albums), .input = input});
            controller.WaitForJobs();
        }
        started = controller.DownloadsStarted() > 0;
        interrupts.SetStop({});
    }
    if (!download) {
        PrintAlbumRows(context->list.albums, options.json ? &json : nullptr);
    }
    int code = 0;
    if (int signal = interrupts.Signal(); signal != 0) {
        code = 128 + signal;  // as shells report a command ended by that signal
    } else if (unread) {
        code = kExitSiteUnread;
    } else if (download) {
        code = DownloadExitCode(started, events.LastJob());
    }
    if (options.json && download) {
        const CliJobEvents::JobReport job = events.LastJob();
        json.Write(JsonLines::JobEnded(job.tally, job.ended ? job.end : DownloadEnd::NotStarted, code));
    }
    return code;
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
    if (options.version) {
        std::fputs("orvelle-cli " ORVELLE_VERSION "\n", stdout);
        return 0;
    }
    // Before any other thread starts, so that every thread leaves the two signals to the watch.
    InterruptWatch interrupts;
    return Run(options, interrupts);
}
