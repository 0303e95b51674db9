#pragma once

#include <cstdio>
#include <map>
#include <mutex>
#include <string>

#include "core/NullWindowPort.h"

// The window as the command line plays it: the input, save path, site and sub-mode come from the
// options; message boxes, login requests, the two status lines and what a download did (pictures
// not saved, each album's and the job's summary) go to stderr, control characters made visible;
// yes/no questions get the answer of --answer. Job threads call it, so it is locked.
class CliWindowPort : public NullWindowPort {
public:
    // How the last download job ended; ended is false while none has.
    struct JobReport {
        bool ended = false;
        DownloadTally tally;
        DownloadEnd end = DownloadEnd::NotStarted;
    };

    CliWindowPort(std::u16string input, std::u16string savePath, int site, int subMode, bool answerYes,
                  std::FILE* err = stderr);

    void SetText(int control, const std::u16string& text) override;
    std::u16string GetText(int control) override;
    int SiteSelection() override { return site_; }
    bool SubModeVisible() override;
    int SubModeSelection() override { return subMode_; }
    int MessageBox(const std::u16string& text, const std::u16string& caption, int buttons) override;
    void OpenLoginBrowser(const std::u16string& url) override;
    void PictureNotSaved(const std::u16string& line, const std::u16string& url,
                         const PictureOutcome& outcome) override;
    void AlbumEnded(int album, const std::u16string& line, const DownloadTally& tally) override;
    void JobEnded(const std::u16string& line, const DownloadTally& tally, DownloadEnd end) override;

    // A line on stderr.
    void Print(const std::u16string& line);
    JobReport LastJob();

private:
    std::mutex mutex_;
    std::FILE* err_;
    std::u16string input_;
    std::u16string savePath_;
    int site_;
    int subMode_;
    bool answerYes_;
    std::map<int, std::u16string> texts_;
    JobReport lastJob_;
};
