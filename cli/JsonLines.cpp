// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/JsonLines.h"

#include "GridCtrl_src/AlbumGrid.h"
#include "platform/CodePage.h"

namespace {

std::string Utf8(const std::u16string& text) {
    return CodePage::ToUtf8(text);
}

const char* ResultName(PictureResult result) {
    switch (result) {
        case PictureResult::Saved:
            return "saved";
        case PictureResult::Failed:
            return "failed";
        case PictureResult::TooSmall:
            return "too-small";
        case PictureResult::TooLarge:
            return "too-large";
        case PictureResult::NotTried:
            break;
    }
    return "not-tried";
}

const char* EndName(DownloadEnd end) {
    switch (end) {
        case DownloadEnd::Finished:
            return "finished";
        case DownloadEnd::Stopped:
            return "stopped";
        case DownloadEnd::DiskFull:
            return "disk-full";
        case DownloadEnd::NotStarted:
            break;
    }
    return "not-started";
}

void AddCounts(JsonLines::Object& object, const DownloadTally& tally) {
    object["saved"] = tally.saved;
    object["failed"] = tally.failed;
    object["skipped"] = tally.Skipped();
    object["not_tried"] = tally.notTried;
    object["failed_albums"] = tally.failedAlbums;
}

}  // namespace

JsonLines::JsonLines(std::FILE* out) : out_(out) {}

JsonLines::Object JsonLines::Album(int row, const ST_PERLISTRECORD& album) {
    Object object;
    object["row"] = row;
    object["name"] = Utf8(album.name);
    object["count"] = album.pictureCount < 0 ? -1 : album.pictureCount;
    object["remark"] = Utf8(PrivacyText(album.privacy));
    object["privacy"] = album.privacy;
    object["url"] = Utf8(album.url);
    object["cover"] = Utf8(album.coverUrl);
    return object;
}

JsonLines::Object JsonLines::AlbumStarted(int row, const std::u16string& name, int position, int count) {
    Object object;
    object["event"] = "album-started";
    object["row"] = row;
    object["name"] = Utf8(name);
    object["position"] = position;
    object["albums"] = count;
    return object;
}

JsonLines::Object JsonLines::PictureSaved(int row, const std::u16string& file, const std::u16string& url) {
    Object object;
    object["event"] = "picture-saved";
    object["row"] = row;
    object["file"] = Utf8(file);
    object["url"] = Utf8(url);
    return object;
}

JsonLines::Object JsonLines::PictureNotSaved(int row, const std::u16string& url,
                                             const PictureOutcome& outcome) {
    Object object;
    object["event"] = "picture-not-saved";
    object["row"] = row;
    object["result"] = ResultName(outcome.result);
    object["reason"] = Utf8(ReasonText(outcome));
    object["url"] = Utf8(url);
    return object;
}

JsonLines::Object JsonLines::AlbumEnded(int row, const std::u16string& name, const DownloadTally& tally) {
    Object object;
    object["event"] = "album-ended";
    object["row"] = row;
    object["name"] = Utf8(name);
    AddCounts(object, tally);
    return object;
}

JsonLines::Object JsonLines::JobEnded(const DownloadTally& tally, DownloadEnd end, int exitCode) {
    Object object;
    object["event"] = "job-ended";
    object["end"] = EndName(end);
    AddCounts(object, tally);
    object["exit_code"] = exitCode;
    return object;
}

void JsonLines::Write(const Object& object) {
    // Site text may hold anything; a byte that is not UTF-8 must not make the line unreadable.
    std::string line = object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    std::lock_guard lock(mutex_);
    std::fprintf(out_, "%s\n", line.c_str());
    std::fflush(out_);
}
