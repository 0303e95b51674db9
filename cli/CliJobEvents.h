#pragma once

#include <cstdio>
#include <mutex>
#include <string>

#include "core/JobEvents.h"

// The jobs' events as the command line shows them: the two status lines when they change, notices
// and questions, login requests and what a download did (pictures not saved, each album's and the
// job's summary) go to stderr, control characters made visible; yes/no questions get the answer of
// --answer. Job threads call it, so it is locked.
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

    void StageText(const std::u16string& text) override;
    void ProgressText(const std::u16string& text) override;
    void PoolProgress(const std::u16string& line, int saved, int total) override;
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
    void Message(const std::u16string& text, const std::u16string& caption);

    std::mutex mutex_;
    std::FILE* err_;
    bool answerYes_;
    std::u16string stage_;
    std::u16string progress_;
    JobReport lastJob_;
    ListReport lastList_;
    bool unread_ = false;  // of the list under way
};
