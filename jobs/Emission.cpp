// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/Emission.h"

#include <cstdint>
#include <new>

#include "GridCtrl_src/AlbumGrid.h"
#include "MyCode/StringCtrl.h"
#include "download/Naming.h"
#include "download/PictureIntake.h"
#include "jobs/PictureListRun.h"

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

void EmitAlbum(const ST_PERLISTRECORD& record, ListResult& list, JobEvents& events) {
    ST_PERLISTRECORD copy;
    int k;
    try {
        copy = record;
        CleanName(copy.name, true);
        CutAlbumName(copy.name);
        copy.name = UniqueName(list.albums, copy.name);
        k = list.albums.Add(copy);
    } catch (const std::bad_alloc&) {
        events.Notice(u"内存分配失败", u"");
        return;
    }
    copy.listIndex = k;
    copy.imageIndex = -1;
    events.AlbumListed(k, copy);
}

void EmitPicture(PictureListRun& run, const std::u16string& url, const std::u16string& description,
                 const std::u16string& headers) {
    const std::optional<ST_PERLISTRECORD> album = run.list.albums.CopyOf(run.album);
    if (!album) {
        return;
    }
    const NamingValues values{run.list.albums.selectedCount.load(),
                              static_cast<std::int64_t>(run.list.albums.Size()), run.list.ownerName};
    Intake intake = TakePicture(run.pictures, run.naming, values, *album, run.lastFirstUrl,
                                PictureRecord{url, {}, headers}, description);
    if (intake == Intake::PreviouslyDownloaded) {
        // Only a running album ends here; a stop the user has just pressed must stand.
        std::uint8_t running = DL_RUNNING;
        run.control.downloadState.compare_exchange_strong(running, DL_ALBUM_DONE);
        return;
    }
    run.events.ProgressText(
        StringCtrl::Format(u"已获取到%d张图片信息", {static_cast<long long>(run.pictures.Size())}));
}
