// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/NamingSettings.h"
#include "core/PictureList.h"
#include "core/PictureRecord.h"
#include "core/ST_PERLISTRECORD.h"
#include "download/Naming.h"

enum class Intake {
    Added,                 // the picture joined the list
    PreviouslyDownloaded,  // OPT_SKIP_DOWNLOADED: it and all after it were downloaded before
};

// Takes one picture that an album's picture list found, as the download side needs it: names it by
// naming (description, base name, escapes, duplicates; a name made from the address is made from
// the primary address, and from the fallback for when that one brings the picture); at the album's first
// picture creates the album's folder under the list's albumDir and reads that folder's marker into
// lastFirstUrl; with OPT_SKIP_DOWNLOADED ends the album at the picture the previous download started with;
// appends it to pictures; and with OPT_ORIGINAL_NAME_FILE adds its description to the picture-name file.
// picture.fileName is ignored: the naming decides it.
Intake TakePicture(PictureList& pictures, const NamingSettings& naming, const NamingValues& values,
                   const ST_PERLISTRECORD& album, std::u16string& lastFirstUrl, const PictureRecord& picture,
                   const std::u16string& description);
