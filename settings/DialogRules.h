// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/DownloadParams.h"

// What the two settings dialogs accept, so that their windows only show and collect text.
namespace DialogRules {

// Shown when the download-parameters dialog refuses its input; the dialog then stays open.
inline constexpr char16_t PARAMETER_ERROR[] = u"参数错误";

// A naming edit keeps at most this many characters of its 40-unit field.
constexpr std::size_t NAMING_FIELD_KEEP = 38;

// Reads the four edits as signed decimal numbers (text that is no number reads as 0). Accepted when
// every value fits 0..65535, the thread count is 1..15, the time-out is at least 10 and the minimum
// size is not above a maximum size that is set (not 0); then out holds the values. Refused input
// leaves out unchanged.
bool ParseDownloadParams(std::u16string_view minPictureKB, std::u16string_view maxPictureKB,
                         std::u16string_view threadCount, std::u16string_view timeoutSec,
                         DownloadParams& out);

// A minimum size above the maximum size: each fits its field, the two do not go together.
inline constexpr int SIZES_CROSSED = 4;

// The field ParseDownloadParams refuses, in the dialog's order (0 the minimum size, 1 the maximum
// size, 2 the thread count, 3 the time-out): the first that breaks its rule, SIZES_CROSSED when
// only the two sizes clash, or -1 when all pass.
int RefusedDownloadParam(std::u16string_view minPictureKB, std::u16string_view maxPictureKB,
                         std::u16string_view threadCount, std::u16string_view timeoutSec);
// What the dialog tells the user about the refused field: its name and what it takes.
std::u16string RefusedParamHint(int field);

// Stores an edit's text into a naming field, cut to NAMING_FIELD_KEEP characters.
void StoreNamingField(std::u16string& field, std::u16string_view text);

}  // namespace DialogRules
