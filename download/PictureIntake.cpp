// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/PictureIntake.h"

#include "download/SideFiles.h"
#include "platform/FileSystem.h"

Intake TakePicture(PictureList& pictures, const NamingSettings& naming, const NamingValues& values,
                   const ST_PERLISTRECORD& album, std::u16string& lastFirstUrl, const PictureRecord& picture,
                   const std::u16string& description) {
    const std::size_t c = pictures.Size();
    // A name made from the address is made from the one that is fetched first; the fallback's
    // name is settled too, for when the fallback brings the picture.
    std::u16string name = PictureBaseName(values, naming, album, c, picture.PrimaryUrl(), description);
    const std::u16string fallback = naming.baseName == BASE_URL ? picture.FallbackUrl() : std::u16string();

    if (c == 0) {
        // The album's first picture: its folder comes into being and tells where the previous
        // download into it started.
        std::u16string folder = AlbumFolder(pictures.AlbumDir(), naming, album);
        pictures.SetAlbumDir(folder);
        bool existed = FileSystem::IsDirectory(folder);
        pictures.SetAlbumDirCreated(FileSystem::CreateDirectories(folder) && !existed);
        lastFirstUrl = ReadMarker(folder);
    }
    std::u16string fileName = FinishPictureName(name, pictures);
    std::u16string fallbackFileName;
    if (!fallback.empty()) {
        fallbackFileName =
            FinishPictureName(PictureBaseName(values, naming, album, c, fallback, description), pictures);
        if (PictureList::FileNameKey(fallbackFileName) == PictureList::FileNameKey(fileName)) {
            fallbackFileName.clear();  // both addresses give one name
        }
    }

    // Sites list newest first: from the previous download's first picture on, everything is on disk.
    // No marker means no previous download, whatever the address.
    if ((naming.options & OPT_SKIP_DOWNLOADED) != 0 && !lastFirstUrl.empty() && picture.url == lastFirstUrl) {
        return Intake::PreviouslyDownloaded;
    }

    pictures.Append(PictureRecord{picture.url, fileName, picture.headers, fallbackFileName});
    if ((naming.options & OPT_ORIGINAL_NAME_FILE) != 0) {
        AppendPictureName(pictures.AlbumDir(), album.name, description, c == 0);
    }
    return Intake::Added;
}
