// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/DownloadJob.h"

#include <algorithm>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "MyCode/StringCtrl.h"
#include "core/DownloadTally.h"
#include "core/PictureList.h"
#include "core/PictureOutcome.h"
#include "download/DownProc.h"
#include "download/Naming.h"
#include "download/PostPasses.h"
#include "download/SideFiles.h"
#include "jobs/JobContext.h"
#include "jobs/PictureListRun.h"
#include "jobs/ReadFailure.h"
#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "settings/ExtensionFile.h"
#include "sites/AdapterTable.h"

namespace {

constexpr std::u16string_view kNoSavePath = u"请先设置保存路径";
constexpr std::u16string_view kCheckSavePath = u"请检测设置的保存路径是否有误";
constexpr std::u16string_view kNoSelection =
    u"请先在相册列表中选择要下载的相册（可点“全选”选择全部相册），再点下载";
constexpr std::u16string_view kFinished = u"下载完毕";
constexpr std::u16string_view kStopped = u"已终止下载";
constexpr std::u16string_view kDiskFull = u"磁盘已满";
constexpr std::u16string_view kPathTooLong = u"：保存路径太长（超过 4096 字节），无法保存";

void Say(JobEvents& events, std::u16string_view text) {
    events.Notice(std::u16string(text), u"");
}

std::u16string WithSlash(std::u16string path) {
    if (path.empty() || path.back() != u'/') {
        path.push_back(u'/');
    }
    return path;
}

// Creates every level of the root folder that is missing, top down. A leading "/" is the file
// system's root and stays, so an absolute save path remains absolute. The level that cannot be
// created (or is a file) is returned in failedLevel.
bool CreateRootTree(const std::u16string& root, std::u16string& failedLevel) {
    std::size_t from = !root.empty() && root.front() == u'/' ? 1 : 0;
    for (std::size_t slash = root.find(u'/', from); slash != std::u16string::npos;
         slash = root.find(u'/', slash + 1)) {
        std::u16string level = root.substr(0, slash);
        if (level.empty() || level.back() == u'/') {
            continue;  // "a//b": the empty level is the one before
        }
        if (FileSystem::IsDirectory(level)) {
            continue;
        }
        if (FileSystem::Exists(level) || !FileSystem::CreateDirectories(level)) {
            failedLevel = level;
            return false;
        }
    }
    return true;
}

// Moves the state to running unless a stop has been asked for meanwhile.
void ResumeRunning(JobControl& control) {
    std::uint8_t state = control.downloadState.load();
    while (state != DL_STOP && !control.downloadState.compare_exchange_weak(state, DL_RUNNING)) {
    }
}

// A download that saved nothing into the album folder it made leaves no empty folder behind: only
// the picture-name file, which this download wrote, may be in it.
void RemoveEmptyNewAlbumFolder(const PictureList& pictures, const std::u16string& albumName) {
    if (!pictures.AlbumDirCreated()) {
        return;
    }
    const std::u16string folder = pictures.AlbumDir();
    FileSystem::Remove(PictureNamePath(folder, albumName));
    FileSystem::RemoveEmptyDirectory(folder);
}

// Whether the system takes the path of every picture of the album. The naming keeps each within
// the limit while the album folder leaves room for a name at all.
bool AllPathsFit(const PictureList& pictures) {
    const std::u16string folder = pictures.AlbumDir();
    for (std::size_t i = 0; i < pictures.Size(); ++i) {
        const PictureRecord picture = pictures.Get(i);
        if (!PathFits(folder + picture.fileName) ||
            (!picture.fallbackFileName.empty() && !PathFits(folder + picture.fallbackFileName))) {
            return false;
        }
    }
    return true;
}

void ListPictures(const AdapterTable& adapters, const ListResult& list, PictureListRun& run) {
    const AdapterRow* row = adapters.Find(list.siteType, list.subMode);
    if (row == nullptr) {
        Say(run.events, u"Error ListType Code.");
        return;
    }
    run.Run(row->pictures);
    // Some albums that the first picture list cannot read are read by the row's second one.
    if (run.pictures.Size() == 0 && !run.control.DownloadStopped()) {
        run.Run(row->secondPictures);
    }
}

// The format fix, telling the front ends which saved files it renamed: they named them when the
// pool saved them.
void FixFormatPassTold(PictureList& pictures, const std::vector<PictureOutcome>& outcomes, int album,
                       JobEvents& events) {
    std::vector<std::u16string> before;
    for (std::size_t i = 0; i < pictures.Size(); ++i) {
        before.push_back(pictures.Get(i).fileName);
    }
    FixFormatPass(pictures);
    const std::u16string albumDir = pictures.AlbumDir();
    for (std::size_t i = 0; i < pictures.Size() && i < outcomes.size(); ++i) {
        const std::u16string& after = pictures.Get(i).fileName;
        if (outcomes[i].result == PictureResult::Saved && after != before[i]) {
            events.PictureRenamed(album, albumDir + before[i], albumDir + after);
        }
    }
}

}  // namespace

int DownloadJobFunc(const DownloadRequest& request, JobContext& context, const AdapterTable& adapters,
                    JobEvents& events) {
    JobControl& control = context.control;
    ListResult& list = context.list;
    context.settings.extension = ExtensionFile::Load(context.settings.programDir);
    // The download follows the settings of the listed site type as they are when it starts.
    const SiteSettings settings = context.settings.Slot(list.siteType);

    // An early end leaves the job idle, so the button starts the next job instead of stopping
    // this one.
    std::u16string savePath = StringCtrl::Trim(request.saveFolder);
    if (savePath.empty()) {
        Say(events, kNoSavePath);
        control.downloadState = DL_IDLE;
        events.JobEnded(u"", {}, DownloadEnd::NotStarted);
        return 0;
    }
    std::u16string root = WithSlash(savePath) + list.ownerName + list.ownerSuffix;
    root = WithSlash(StringCtrl::Trim(root));
    std::u16string failedLevel;
    if (!CreateRootTree(root, failedLevel) || !FileSystem::CanCreateFilesIn(root)) {
        // A folder that is there but takes no files (read-only, no rights) would fail every picture.
        if (failedLevel.empty()) {
            failedLevel = root.substr(0, root.size() - 1);
        }
        Say(events, failedLevel + u"\n" + std::u16string(kCheckSavePath));
        control.downloadState = DL_IDLE;
        events.JobEnded(u"", {}, DownloadEnd::NotStarted);
        return 0;
    }

    // A stop pressed before this point must not be lost when the pool's flag is reset: the
    // button sets the state byte first.
    control.pool.ClearStop();
    if (control.downloadState == DL_STOP) {
        control.pool.RequestStop();
    }
    ResumeRunning(control);
    events.Busy(JobKind::Download);

    PictureList pictures;
    pictures.SetAlbumDir(root);
    control.pool.SetParams(settings.download);

    // A request may come from a list that has changed since: albums that are not in the list now
    // are left out, and each is downloaded once.
    std::vector<int> selected;
    const int listed = static_cast<int>(list.albums.Size());
    for (int album : request.albums) {
        if (album >= 0 && album < listed &&
            std::find(selected.begin(), selected.end(), album) == selected.end()) {
            selected.push_back(album);
        }
    }
    list.albums.selectedCount = static_cast<std::int32_t>(selected.size());
    std::size_t total = 0;
    DownloadTally tally;
    bool diskFull = false;
    if (selected.empty()) {
        Say(events, kNoSelection);
    }
    const int count = static_cast<int>(selected.size());
    for (int position = 0; position < count && !control.DownloadStopped() && !diskFull; ++position) {
        const int album = selected[static_cast<std::size_t>(position)];
        pictures.Clear();
        pictures.SetAlbumDir(root);
        ResumeRunning(control);  // ends a DL_ALBUM_DONE left by the previous album
        events.StageText(StringCtrl::Format(u"正在下载第%d/%d个图集", {position + 1, count}));
        events.AlbumStarted(album, position + 1, count);
        events.ProgressText(u"......");

        PictureListRun run(context, events, settings.naming, pictures, album, request.input);
        ListPictures(adapters, list, run);
        const std::size_t m = pictures.Size();
        std::optional<ST_PERLISTRECORD> record = list.albums.CopyOf(album);
        const std::u16string name = record ? record->name : std::u16string();
        if (m == 0) {
            if (control.DownloadStopped()) {
                continue;
            }
            // An album whose list could not be read failed; one whose list came empty, or brought
            // nothing since the last download, is said, not counted.
            if (run.PageShapeReported() || run.LastFetch().Failed()) {
                DownloadTally failedAlbum;
                failedAlbum.failedAlbums = 1;
                tally += failedAlbum;
                events.AlbumEnded(album,
                                  run.PageShapeReported() ? ReadFailure::PageShapeLine(name)
                                                          : ReadFailure::AlbumLine(name, run.LastFetch()),
                                  failedAlbum);
                continue;
            }
            const bool upToDate = control.downloadState == DL_ALBUM_DONE;
            events.AlbumEnded(album, name + (upToDate ? u"：没有新图片" : u"：没有获取到图片"), {});
            continue;
        }
        if (control.DownloadStopped()) {
            // Stopped while listing: none of the pictures was fetched, and the album says so.
            DownloadTally untried;
            untried.notTried = static_cast<int>(m);
            tally += untried;
            RemoveEmptyNewAlbumFolder(pictures, name);
            events.AlbumEnded(album, name + u"：" + TallyText(untried), untried);
            continue;
        }
        total += m;
        const std::uint16_t options = settings.naming.options;
        if ((options & OPT_THUNDER_LIST_ONLY) != 0) {
            const std::u16string downloadList = DownloadListPath(pictures.AlbumDir(), name);
            DownloadTally listTally;
            if (!WriteDownloadList(downloadList, pictures)) {
                // The list was all that was asked for: without it the album's pictures are lost.
                listTally.failed = static_cast<int>(m);
                tally += listTally;
            }
            events.AlbumEnded(
                album,
                name + (listTally.failed == 0 ? u"：已写入下载列表 " : u"：无法写入下载列表 ") + downloadList,
                listTally);
            continue;
        }

        // A path the system refuses would fail every picture alike: the album is refused whole.
        if (!AllPathsFit(pictures)) {
            DownloadTally failedAlbum;
            failedAlbum.failedAlbums = 1;
            tally += failedAlbum;
            RemoveEmptyNewAlbumFolder(pictures, name);
            events.AlbumEnded(album, name + std::u16string(kPathTooLong), failedAlbum);
            continue;
        }

        // Temporaries of a download that died here before are of no use to anyone.
        AtomicFile::RemoveStale(pictures.AlbumDir());
        events.ProgressText(u"已开始下载图片");
        events.PoolStarted(pictures.AlbumDir(), static_cast<int>(m));
        std::vector<PictureOutcome> outcomes;
        if (!DownPicFunc(control.pool, pictures, album, events, outcomes)) {
            Say(events, u"Create thread:DownPicFunc failed.");
            tally.notTried += static_cast<int>(m);
            continue;
        }
        DownloadTally albumTally;
        // Pictures that came from a page the adapter could not fully read: the album failed,
        // and the next download tries it again.
        albumTally.failedAlbums = run.PageShapeReported() ? 1 : 0;
        for (const PictureOutcome& outcome : outcomes) {
            albumTally.Add(outcome);
            diskFull = diskFull || outcome.error == FetchError::DiskFull;
        }
        tally += albumTally;
        // The marker promises that the album is on disk up to its first picture: a picture that
        // failed or was never tried must be fetched again by the next download.
        if (!control.DownloadStopped() && albumTally.Complete()) {
            WriteMarker(pictures.AlbumDir(), pictures.Get(0).url);
        }
        // The passes also tidy what a stopped album left on disk.
        if ((options & OPT_FIX_FORMAT) != 0) {
            FixFormatPassTold(pictures, outcomes, album, events);
        }
        if ((options & OPT_FIX_ORDER) != 0) {
            FixOrderPass(pictures, outcomes);
        }
        if (albumTally.saved == 0 && (control.DownloadStopped() || diskFull)) {
            RemoveEmptyNewAlbumFolder(pictures, name);
        }
        events.AlbumEnded(album, name + u"：" + TallyText(albumTally), albumTally);
        if (diskFull) {
            Say(events, kDiskFull);
        }
    }

    const bool stopped = control.DownloadStopped();
    control.downloadState = DL_IDLE;
    const std::u16string_view heading = stopped || diskFull ? kStopped : kFinished;
    events.StageText(std::u16string(heading));
    events.ProgressText(u"");
    events.Idle(JobKind::Download);
    DownloadEnd end = DownloadEnd::Finished;
    if (selected.empty()) {
        end = DownloadEnd::NotStarted;
    } else if (diskFull) {
        end = DownloadEnd::DiskFull;
    } else if (stopped) {
        end = DownloadEnd::Stopped;
    }
    events.JobEnded(end == DownloadEnd::NotStarted ? std::u16string()
                                                   : std::u16string(heading) + u"：" + TallyText(tally),
                    tally, end);
    if (total != 0 && (settings.naming.options & OPT_OPEN_FOLDER) != 0) {
        events.OpenFolder(pictures.AlbumDir());
    }
    return 0;
}
