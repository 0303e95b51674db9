// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <mutex>
#include <string>

#include <nlohmann/json.hpp>

#include "core/DownloadTally.h"
#include "core/PictureOutcome.h"
#include "core/ST_PERLISTRECORD.h"

// --json: one JSON object a line on stdout, for scripts. The field names are an interface that
// scripts parse: add fields, never rename one. The jobs' threads write events, so it is locked.
class JsonLines {
public:
    using Object = nlohmann::ordered_json;

    explicit JsonLines(std::FILE* out = stdout);

    // An album of the list, by its row (from 1) as the text rows number it.
    static Object Album(int row, const ST_PERLISTRECORD& album);
    static Object AlbumStarted(int row, const std::u16string& name, int position, int count);
    static Object PictureSaved(int row, const std::u16string& file, const std::u16string& url);
    static Object PictureNotSaved(int row, const std::u16string& url, const PictureOutcome& outcome);
    static Object AlbumEnded(int row, const std::u16string& name, const DownloadTally& tally);
    static Object JobEnded(const DownloadTally& tally, DownloadEnd end, int exitCode);

    void Write(const Object& object);

private:
    std::mutex mutex_;
    std::FILE* out_;
};
