#include "sites/kit/Emission.h"

#include <cstdint>
#include <new>

#include "GridCtrl_src/AlbumGrid.h"
#include "MyCode/StringCtrl.h"
#include "core/JobContext.h"
#include "core/WindowPort.h"
#include "download/Naming.h"
#include "download/PictureIntake.h"

namespace {

// name, or "name (1)", "name (2)", ... : the first that no album of the list has. The name is
// shortened before its counter so the grid's cut to ALBUM_NAME_MAX cannot make two names equal
// again (they would share one folder).
std::u16string UniqueName(AlbumList& albums, const std::u16string& name) {
    if (!albums.HasName(name)) {
        return name;
    }
    for (unsigned counter = albums.FirstCounterToTry(name);; ++counter) {
        std::u16string suffix = StringCtrl::Format(u" (%u)", {counter});
        std::size_t room = ALBUM_NAME_MAX > suffix.size() ? ALBUM_NAME_MAX - suffix.size() : 0;
        std::u16string candidate = std::u16string(StringCtrl::KeepUnits(name, room)) + suffix;
        if (!albums.HasName(candidate)) {
            albums.NoteTakenBelow(name, counter);
            return candidate;
        }
    }
}

}  // namespace

void EmitAlbum(const ST_PERLISTRECORD& record, JobContext& job) {
    if (job.ready.load() == 0) {
        return;
    }
    int k;
    try {
        ST_PERLISTRECORD copy = record;
        CleanName(copy.name, true);
        CutAlbumName(copy.name);
        copy.name = UniqueName(job.list.albums, copy.name);
        k = job.list.albums.Add(copy);
    } catch (const std::bad_alloc&) {
        job.window->MessageBox(u"内存分配失败", u"", MB_OK);
        return;
    }
    ShowAlbum(job, k);
}

void EmitPicture(JobContext& job, const std::u16string& url, const std::u16string& description,
                 const std::u16string& headers, int albumIndex) {
    const std::optional<ST_PERLISTRECORD> album = job.list.albums.CopyOf(albumIndex);
    if (!album) {
        return;
    }
    const NamingValues values{job.list.albums.selectedCount.load(),
                              static_cast<std::int64_t>(job.list.albums.Size()), job.list.ownerName};
    Intake intake = TakePicture(job.pictures, job.CurrentSettings().naming, values, *album, job.lastFirstUrl,
                                PictureRecord{url, {}, headers}, description);
    if (intake == Intake::PreviouslyDownloaded) {
        // Only a running album ends here; a stop the user has just pressed must stand.
        std::uint8_t running = DL_RUNNING;
        job.downloadState.compare_exchange_strong(running, DL_ALBUM_DONE);
        return;
    }
    job.window->SetText(IDC_PROGRESS, StringCtrl::Format(u"已获取到%d张图片信息",
                                                         {static_cast<long long>(job.pictures.Size())}));
}
