#pragma once

#include <cstdio>
#include <map>
#include <mutex>
#include <string>

#include "core/NullWindowPort.h"

// The window as the command line plays it: the input, save path, site and sub-mode come from the
// options; message boxes, login requests and the two status lines go to stderr; yes/no questions
// get the answer of --answer. Job threads call it, so it is locked.
class CliWindowPort : public NullWindowPort {
public:
    CliWindowPort(std::u16string input, std::u16string savePath, int site, int subMode, bool answerYes,
                  std::FILE* err = stderr);

    void SetText(int control, const std::u16string& text) override;
    std::u16string GetText(int control) override;
    int SiteSelection() override { return site_; }
    bool SubModeVisible() override;
    int SubModeSelection() override { return subMode_; }
    int MessageBox(const std::u16string& text, const std::u16string& caption, int buttons) override;
    void OpenLoginBrowser(const std::u16string& url) override;

    // A line on stderr.
    void Print(const std::u16string& line);

private:
    std::mutex mutex_;
    std::FILE* err_;
    std::u16string input_;
    std::u16string savePath_;
    int site_;
    int subMode_;
    bool answerYes_;
    std::map<int, std::u16string> texts_;
};
