// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/DownloadParams.h"
#include "core/NamingSettings.h"

// Everything remembered per site type.
struct SiteSettings {
    DownloadParams download;
    NamingSettings naming;
};
