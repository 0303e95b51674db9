// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "cli/ProgressLine.h"
#include "core/JobEvents.h"

class JsonLines;

// The jobs' events as the command line shows them: the two status lines when they change, notices
// and questions, login requests and what a download did (pictures not saved, each album's and the
// job's summary) go to stderr, control characters made visible; yes/no questions get the answer of
// --answer. With --json the download's events also go to stdout as JSON lines. On a terminal the
// progress is one line redrawn in place, and the other lines print above it. Job threads call it,
// so it is locked.
class CliJobEvents : public JobEvents {
public:
    // How the last download job ended; ended is false while none has.
    struct JobReport {
        bool ended = false;
        DownloadTally tally;
        DownloadEnd end = DownloadEnd::NotStarted;
    };
    // How the last album list ended; ended is false while none has.
    struct ListReport {
        bool ended = false;
        int albumCount = 0;
        bool downloadAtOnce = false;
        bool unread = false;  // the site could not be read
    };

    explicit CliJobEvents(bool answerYes, std::FILE* err = stderr);

    // Set before a job starts. The JSON lines of the download's events (none when null).
    void SetJson(JsonLines* json);
    // stderr is a terminal columns wide: the progress is redrawn in place.
    void SetTerminal(int columns);
    // The name of the album at a place in the list, for the JSON lines and the progress line.
    void SetAlbumNames(std::function<std::u16string(int album)> names);

    void StageText(const std::u16string& text) override;
    void ProgressText(const std::u16string& text) override;
    void PoolProgress(const std::u16string& line, int saved, int total) override;
    void Idle(JobKind job) override;
    void AlbumStarted(int album, int position, int count) override;
    void PictureSaved(int album, const std::u16string& file, const std::u16string& url) override;
    void PictureRenamed(int album, const std::u16string& from, const std::u16string& to) override;
    void ListEnded(int albumCount, bool downloadAtOnce) override;
    void ListUnread(const std::u16string& line) override;
    void PictureNotSaved(int album, const std::u16string& line, const std::u16string& url,
                         const PictureOutcome& outcome) override;
    void AlbumEnded(int album, const std::u16string& line, const DownloadTally& tally) override;
    void JobEnded(const std::u16string& line, const DownloadTally& tally, DownloadEnd end) override;
    void Notice(const std::u16string& text, const std::u16string& caption) override;
    bool Ask(const std::u16string& text, const std::u16string& caption) override;
    void Login(const std::u16string& url) override;

    // A line on stderr.
    void Print(const std::u16string& line);
    JobReport LastJob();
    ListReport LastList();

private:
    // A status line: printed when it is not empty and differs from what the line showed last.
    void Status(std::u16string& shown, const std::u16string& text);
    void PrintLocked(const std::u16string& line);
    // Redraws the terminal's progress line; at most ten times a second unless forced.
    void RedrawLocked(bool force);
    // Clears the terminal's progress line for good, at a job's end.
    void EndLineLocked();
    void Message(const std::u16string& text, const std::u16string& caption);

    std::mutex mutex_;
    std::FILE* err_;
    bool answerYes_;
    std::u16string stage_;
    std::u16string progress_;
    JobReport lastJob_;
    ListReport lastList_;
    bool unread_ = false;  // of the list under way
    JsonLines* json_ = nullptr;
    // The album's saved pictures, told when it ends: the format fix may still rename them.
    struct Saved {
        std::u16string file;
        std::u16string url;
    };
    std::map<int, std::vector<Saved>> saved_;
    std::function<std::u16string(int)> names_;
    bool terminal_ = false;
    ProgressLine line_;
    ProgressLine::Clock::time_point drawn_{};
};
