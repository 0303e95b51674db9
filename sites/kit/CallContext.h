// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/ExtensionSettings.h"
#include "core/NamingSettings.h"

class JobEvents;

// What a call of an operation reaches of the program, given by the job that makes the call: where
// its questions go, and the settings the job started with.
struct CallContext {
    JobEvents& events;
    NamingSettings naming;  // the site type's naming settings: option flags, base name
    ExtensionSettings extension;
    std::u16string programDir;  // ends with "/"
};
