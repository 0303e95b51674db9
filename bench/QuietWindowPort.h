#pragma once

#include <string>

#include "core/NullWindowPort.h"

// The window of a measured download job: answers the save path and forgets everything else, so
// the measurement holds the engine alone.
class QuietWindowPort : public NullWindowPort {
public:
    explicit QuietWindowPort(std::u16string savePath) : savePath_(std::move(savePath)) {}

    std::u16string GetText(int control) override;
    bool SubModeVisible() override { return true; }
    // A message means the job could not run as set up; it is worth seeing.
    int MessageBox(const std::u16string& text, const std::u16string& caption, int buttons) override;

private:
    std::u16string savePath_;
};
