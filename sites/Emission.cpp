#include "sites/Emission.h"

#include <cstdint>
#include <new>

#include "GridCtrl_src/AlbumGrid.h"
#include "MyCode/StringCtrl.h"
#include "core/JobContext.h"
#include "core/WindowPort.h"
#include "download/Naming.h"
#include "download/SideFiles.h"
#include "platform/FileSystem.h"

namespace {

bool NameTaken(const AlbumList& albums, const std::u16string& name) {
    for (std::size_t i = 0, n = albums.Size(); i < n; ++i) {
        if (const ST_PERLISTRECORD* album = albums.Get(i); album != nullptr && album->name == name) {
            return true;
        }
    }
    return false;
}

// name, or "name (1)", "name (2)", ... : the first that no album of the list has. The name is
// shortened before its counter so the grid's cut to ALBUM_NAME_MAX cannot make two names equal
// again (they would share one folder).
std::u16string UniqueName(const AlbumList& albums, const std::u16string& name) {
    if (!NameTaken(albums, name)) {
        return name;
    }
    for (unsigned counter = 1;; ++counter) {
        std::u16string suffix = StringCtrl::Format(u" (%u)", {counter});
        std::u16string stem = name;
        if (stem.size() + suffix.size() > ALBUM_NAME_MAX) {
            stem.resize(ALBUM_NAME_MAX > suffix.size() ? ALBUM_NAME_MAX - suffix.size() : 0);
            // No half surrogate pair at the new end.
            if (!stem.empty() && stem.back() >= 0xD800 && stem.back() <= 0xDBFF) {
                stem.pop_back();
            }
        }
        std::u16string candidate = stem + suffix;
        if (!NameTaken(albums, candidate)) {
            return candidate;
        }
    }
}

void SetProgress(JobContext& job, const std::u16string& text) {
    if (job.window != nullptr) {
        job.window->SetText(IDC_PROGRESS, text);
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
        copy.name = UniqueName(job.albums, copy.name);
        k = job.albums.Add(copy);
    } catch (const std::bad_alloc&) {
        if (job.window != nullptr) {
            job.window->MessageBox(u"内存分配失败", u"", MB_OK);
        }
        return;
    }
    ShowAlbum(job, k);
}

void EmitPicture(JobContext& job, const std::u16string& url, const std::u16string& description,
                 const std::u16string& headers, int albumIndex) {
    const std::optional<ST_PERLISTRECORD> album = job.albums.CopyOf(albumIndex);
    if (!album) {
        return;
    }
    const NamingSettings& naming = job.CurrentSettings().naming;
    PictureList& pictures = job.pictures;
    const std::size_t c = pictures.Size();
    std::u16string name = PictureBaseName(job, naming, *album, c, url, description);

    if (c == 0) {
        // The album's first picture: its folder comes into being and tells where the previous
        // download into it started.
        std::u16string folder = AlbumFolder(pictures.AlbumDir(), naming, *album);
        pictures.SetAlbumDir(folder);
        FileSystem::CreateDirectories(folder);
        job.lastFirstUrl = ReadMarker(folder);
    }
    std::u16string fileName = FinishPictureName(name, pictures);

    // Sites list newest first: from the previous download's first picture on, everything is on disk.
    // No marker means no previous download, whatever the address.
    if ((naming.options & OPT_SKIP_DOWNLOADED) != 0 && !job.lastFirstUrl.empty() && url == job.lastFirstUrl) {
        // Only a running album ends here; a stop the user has just pressed must stand.
        std::uint8_t running = DL_RUNNING;
        job.downloadState.compare_exchange_strong(running, DL_ALBUM_DONE);
        return;
    }

    pictures.Append(PictureRecord{url, fileName, headers});
    SetProgress(job, StringCtrl::Format(u"已获取到%d张图片信息", {static_cast<long long>(c + 1)}));

    if ((naming.options & OPT_ORIGINAL_NAME_FILE) != 0) {
        AppendPictureName(pictures.AlbumDir(), album->name, description, c == 0);
    }
}
