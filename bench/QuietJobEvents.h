// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/JobEvents.h"

// The events of a measured job: everything is forgotten, so the measurement holds the engine
// alone, but a notice means the job could not run as set up and is worth seeing.
class QuietJobEvents : public JobEvents {
public:
    void Notice(const std::u16string& text, const std::u16string& caption) override;
    bool Ask(const std::u16string& text, const std::u16string& caption) override;
};
