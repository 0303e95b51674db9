// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/ListHandoff.h"

// The photo service's user whose albums were listed. The picture list's remote calls and the
// verification page are addressed by the bare name (the owner name becomes a folder level).
struct NeteasePhotoUser : ListHandoff {
    std::u16string name;
};
