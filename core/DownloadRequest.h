// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// What the download button asks for: these albums of the last list, in this order, into the save
// folder.
struct DownloadRequest {
    std::u16string saveFolder;  // as typed; the job trims it
    std::vector<int> albums;    // places in the album list
    // The input box's text as the download starts; some sites' picture requests name the owner by
    // it.
    std::u16string input;
};
