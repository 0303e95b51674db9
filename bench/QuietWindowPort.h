#pragma once

#include <string>

#include "core/NullWindowPort.h"

// The window of a measured job: answers the save path, the input and the site, and forgets
// everything else, so the measurement holds the engine alone.
class QuietWindowPort : public NullWindowPort {
public:
    explicit QuietWindowPort(std::u16string savePath, std::u16string input = {}, int site = 0)
        : savePath_(std::move(savePath)), input_(std::move(input)), site_(site) {}

    std::u16string GetText(int control) override;
    int SiteSelection() override { return site_; }
    bool SubModeVisible() override { return true; }
    // A message means the job could not run as set up; it is worth seeing.
    int MessageBox(const std::u16string& text, const std::u16string& caption, int buttons) override;

private:
    std::u16string savePath_;
    std::u16string input_;
    int site_;
};
