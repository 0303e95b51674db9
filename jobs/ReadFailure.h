// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "sites/kit/PageFetch.h"

// How a page that did not come, or came as a refusal, is told: the list's line ("无法读取相册列表：
// HTTP 503", "无法连接：host") and an album's ("Summer：无法读取图片列表：超时").
namespace ReadFailure {

std::u16string ListLine(const PageFetch& fetch);
std::u16string AlbumLine(const std::u16string& albumName, const PageFetch& fetch);
// The album's line when its adapter did not find the page shape it expects.
std::u16string PageShapeLine(const std::u16string& albumName);

}  // namespace ReadFailure
