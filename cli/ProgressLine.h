// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

// The progress of a download as one line of a terminal, redrawn in place as curl and aria2c do:
// the album k of n, the pictures saved of the album's total, and the speed. The caller locks.
class ProgressLine {
public:
    using Clock = std::chrono::steady_clock;

    // The terminal's width in columns; lines are cut to it, since a wrapped line cannot be redrawn.
    explicit ProgressLine(int columns = 80);

    void AlbumStarted(const std::u16string& name, int position, int count, Clock::time_point now);
    void PoolProgress(int saved, int total);
    void PictureSaved(std::uint64_t bytes);
    // A progress text of its own ("已获取到12张图片信息"), shown until the pool's counts come.
    void Text(const std::u16string& text);

    // What the terminal should get to show the line now: a carriage return, the line and an erase
    // of what an older, longer line left. Empty when nothing is shown.
    std::string Draw(Clock::time_point now) const;
    // What clears the line, so that another line can be printed in its place; empty when none is shown.
    std::string Clear() const;
    bool Shown() const { return shown_; }
    void SetShown(bool shown) { shown_ = shown; }
    // Forgets the job: nothing is shown, the speed starts again.
    void Reset();

    // The line's text without control sequences.
    std::u16string Line(Clock::time_point now) const;

private:
    int columns_;
    std::u16string name_;
    std::u16string text_;
    int position_ = 0;
    int count_ = 0;
    int saved_ = 0;
    int total_ = -1;  // no pool yet
    std::uint64_t bytes_ = 0;
    Clock::time_point started_{};
    bool timing_ = false;
    bool shown_ = false;
};
