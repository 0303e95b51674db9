#include "core/DownloadJob.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "GridCtrl_src/AlbumGrid.h"
#include "MyCode/StringCtrl.h"
#include "core/DownloadTally.h"
#include "core/JobContext.h"
#include "core/PictureOutcome.h"
#include "core/WindowPort.h"
#include "download/DownProc.h"
#include "download/PostPasses.h"
#include "download/SideFiles.h"
#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "settings/ExtensionFile.h"
#include "sites/AdapterTable.h"
#include "sites/kit/Run.h"

namespace {

constexpr std::u16string_view kNoSavePath = u"请先设置保存路径";
constexpr std::u16string_view kCheckSavePath = u"请检测设置的保存路径是否有误";
constexpr std::u16string_view kNoSelection =
    u"请先在相册列表中选择要下载的相册（可点“全选”选择全部相册），再点下载";
constexpr std::u16string_view kBusyButton = u"终止下载";
constexpr std::u16string_view kIdleButton = u"下载";
constexpr std::u16string_view kFinished = u"下载完毕";
constexpr std::u16string_view kStopped = u"已终止下载";
constexpr std::u16string_view kDiskFull = u"磁盘已满";
// The controls that could start another job or change what this one reads.
constexpr int kBusyControls[] = {IDC_SITE, IDC_LIST_BUTTON, IDC_CHOOSE_FOLDER, IDC_INPUT, IDC_SAVE_PATH};

// The window as the job uses it.
class Window {
public:
    explicit Window(WindowPort& port) : port_(port) {}
    void SetText(int control, std::u16string_view text) { port_.SetText(control, std::u16string(text)); }
    void Enable(int control, bool enable) { port_.EnableControl(control, enable); }
    void Message(std::u16string_view text) { port_.MessageBox(std::u16string(text), u"", MB_OK); }
    std::u16string SavePath() { return port_.GetText(IDC_SAVE_PATH); }
    void OpenFolder(const std::u16string& folder) { port_.OpenFolder(folder); }
    void AlbumStarted(int album, int position, int count) { port_.AlbumStarted(album, position, count); }
    void AlbumEnded(int album, const std::u16string& line, const DownloadTally& tally) {
        port_.AlbumEnded(album, line, tally);
    }
    void JobEnded(const std::u16string& line, const DownloadTally& tally, DownloadEnd end) {
        port_.JobEnded(line, tally, end);
    }

private:
    WindowPort& port_;
};

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

// A stop from the button: the job's state byte, or the pool's flag, which no listing overwrites.
bool Stopping(const JobContext& job) {
    return job.downloadState == DL_STOP || job.pool.StopRequested();
}

// Moves the state to running unless a stop has been asked for meanwhile.
void ResumeRunning(JobContext& job) {
    std::uint8_t state = job.downloadState.load();
    while (state != DL_STOP && !job.downloadState.compare_exchange_weak(state, DL_RUNNING)) {
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

void ListPictures(JobContext& job, const AdapterTable& adapters, int album, Window& window) {
    const AdapterRow* row = adapters.Find(job.list.siteType, job.list.subMode);
    if (row == nullptr) {
        window.Message(u"Error ListType Code.");
        return;
    }
    RunPictureList(row->pictures, job, album);
    // Some albums that the first picture list cannot read are read by the row's second one.
    if (job.pictures.Size() == 0 && !Stopping(job)) {
        RunPictureList(row->secondPictures, job, album);
    }
}

}  // namespace

int DownloadJobFunc(JobContext& job, const AdapterTable& adapters) {
    Window window(*job.window);
    job.extension = ExtensionFile::Load(job.programDir);

    // An early end leaves the job idle, so the button starts the next job instead of stopping
    // this one.
    std::u16string savePath = StringCtrl::Trim(window.SavePath());
    if (savePath.empty()) {
        window.Message(kNoSavePath);
        job.downloadState = DL_IDLE;
        window.JobEnded(u"", {}, DownloadEnd::NotStarted);
        return 0;
    }
    std::u16string root = WithSlash(savePath) + job.list.ownerName + job.list.ownerSuffix;
    root = WithSlash(StringCtrl::Trim(root));
    std::u16string failedLevel;
    if (!CreateRootTree(root, failedLevel) || !FileSystem::CanCreateFilesIn(root)) {
        // A folder that is there but takes no files (read-only, no rights) would fail every picture.
        if (failedLevel.empty()) {
            failedLevel = root.substr(0, root.size() - 1);
        }
        window.Message(failedLevel + u"\n" + std::u16string(kCheckSavePath));
        job.downloadState = DL_IDLE;
        window.JobEnded(u"", {}, DownloadEnd::NotStarted);
        return 0;
    }

    // A stop pressed before this point must not be lost when the pool's flag is reset: the
    // button sets the state byte first.
    job.pool.ClearStop();
    if (job.downloadState == DL_STOP) {
        job.pool.RequestStop();
    }
    ResumeRunning(job);
    window.SetText(IDC_DOWNLOAD_BUTTON, kBusyButton);
    for (int control : kBusyControls) {
        window.Enable(control, false);
    }

    PictureList& pictures = job.pictures;
    pictures.SetAlbumDir(root);
    job.pool.SetParams(job.CurrentSettings().download);

    std::vector<int> selected = SelectedAlbumIndices(job);
    job.list.albums.selectedCount = static_cast<std::int32_t>(selected.size());
    std::size_t total = 0;
    DownloadTally tally;
    bool diskFull = false;
    if (selected.empty()) {
        window.Message(kNoSelection);
    }
    const int count = static_cast<int>(selected.size());
    for (int position = 0; position < count && !Stopping(job) && !diskFull; ++position) {
        const int album = selected[static_cast<std::size_t>(position)];
        pictures.Clear();
        pictures.SetAlbumDir(root);
        ResumeRunning(job);  // ends a DL_ALBUM_DONE left by the previous album
        window.SetText(IDC_STAGE, StringCtrl::Format(u"正在下载第%d/%d个图集", {position + 1, count}));
        window.AlbumStarted(album, position + 1, count);
        window.SetText(IDC_PROGRESS, u"......");

        ListPictures(job, adapters, album, window);
        const std::size_t m = pictures.Size();
        std::optional<ST_PERLISTRECORD> record = job.list.albums.CopyOf(album);
        const std::u16string name = record ? record->name : std::u16string();
        if (m == 0) {
            // Said, not counted: the site listed nothing, or nothing since the last download.
            if (!Stopping(job)) {
                bool upToDate = job.downloadState == DL_ALBUM_DONE;
                window.AlbumEnded(album, name + (upToDate ? u"：没有新图片" : u"：没有获取到图片"), {});
            }
            continue;
        }
        if (Stopping(job)) {
            // Stopped while listing: none of the pictures was fetched.
            tally.notTried += static_cast<int>(m);
            RemoveEmptyNewAlbumFolder(pictures, name);
            continue;
        }
        total += m;
        const std::uint16_t options = job.CurrentSettings().naming.options;
        if ((options & OPT_THUNDER_LIST_ONLY) != 0) {
            const std::u16string list = DownloadListPath(pictures.AlbumDir(), name);
            DownloadTally listTally;
            if (!WriteDownloadList(list, pictures)) {
                // The list was all that was asked for: without it the album's pictures are lost.
                listTally.failed = static_cast<int>(m);
                tally += listTally;
            }
            window.AlbumEnded(
                album, name + (listTally.failed == 0 ? u"：已写入下载列表 " : u"：无法写入下载列表 ") + list,
                listTally);
            continue;
        }

        // Temporaries of a download that died here before are of no use to anyone.
        AtomicFile::RemoveStale(pictures.AlbumDir());
        window.SetText(IDC_PROGRESS, u"已开始下载图片");
        std::vector<PictureOutcome> outcomes;
        if (!DownPicFunc(job.pool, pictures, *job.window, outcomes)) {
            window.Message(u"Create thread:DownPicFunc failed.");
            tally.notTried += static_cast<int>(m);
            continue;
        }
        DownloadTally albumTally;
        for (const PictureOutcome& outcome : outcomes) {
            albumTally.Add(outcome);
            diskFull = diskFull || outcome.error == FetchError::DiskFull;
        }
        tally += albumTally;
        // The marker promises that the album is on disk up to its first picture: a picture that
        // failed or was never tried must be fetched again by the next download.
        if (!Stopping(job) && albumTally.Complete()) {
            WriteMarker(pictures.AlbumDir(), pictures.Get(0).url);
        }
        // The passes also tidy what a stopped album left on disk.
        if ((options & OPT_FIX_FORMAT) != 0) {
            FixFormatPass(pictures);
        }
        if ((options & OPT_FIX_ORDER) != 0) {
            FixOrderPass(pictures);
        }
        if (albumTally.saved == 0 && (Stopping(job) || diskFull)) {
            RemoveEmptyNewAlbumFolder(pictures, name);
        }
        window.AlbumEnded(album, name + u"：" + TallyText(albumTally), albumTally);
        if (diskFull) {
            window.Message(kDiskFull);
        }
    }

    const bool stopped = Stopping(job);
    job.downloadState = DL_IDLE;
    window.SetText(IDC_DOWNLOAD_BUTTON, kIdleButton);
    for (int control : kBusyControls) {
        window.Enable(control, true);
    }
    const std::u16string_view heading = stopped || diskFull ? kStopped : kFinished;
    window.SetText(IDC_STAGE, heading);
    window.SetText(IDC_PROGRESS, u"");
    DownloadEnd end = DownloadEnd::Finished;
    if (selected.empty()) {
        end = DownloadEnd::NotStarted;
    } else if (diskFull) {
        end = DownloadEnd::DiskFull;
    } else if (stopped) {
        end = DownloadEnd::Stopped;
    }
    window.JobEnded(end == DownloadEnd::NotStarted ? std::u16string()
                                                   : std::u16string(heading) + u"：" + TallyText(tally),
                    tally, end);
    if (total != 0 && (job.CurrentSettings().naming.options & OPT_OPEN_FOLDER) != 0) {
        window.OpenFolder(pictures.AlbumDir());
    }
    return 0;
}
