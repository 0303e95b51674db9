// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "MyCode/FetchError.h"

// What became of a call's last page fetch. A page's status code does not change what the adapter
// reads (a site may answer its pages with any status), but a list that found nothing can tell from
// it that the site refused or could not be reached.
struct PageFetch {
    bool made = false;                    // a page was asked for at all
    FetchError error = FetchError::None;  // why the transfer failed
    int status = 0;                       // the answer's HTTP status; 0 when none came
    std::u16string host;                  // the host asked

    // The page did not come, or came as a refusal (a status of 400 or more).
    bool Failed() const { return made && (error != FetchError::None || status >= 400); }
};
