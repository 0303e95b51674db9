// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ProgressLine.h"

#include "MyCode/StringCtrl.h"
#include "cli/TerminalText.h"
#include "platform/CodePage.h"

namespace {

// Columns a character takes: the wide East Asian ranges two, the rest one.
int Width(char16_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
                   (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
                   (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6)
               ? 2
               : 1;
}

std::u16string Cut(const std::u16string& text, int columns) {
    std::u16string cut;
    int used = 0;
    for (char16_t c : text) {
        int width = Width(c);
        if (used + width > columns) {
            break;
        }
        used += width;
        cut.push_back(c);
    }
    // A high surrogate left alone at the end would not convert.
    if (!cut.empty() && cut.back() >= 0xD800 && cut.back() <= 0xDBFF) {
        cut.pop_back();
    }
    return cut;
}

std::u16string Speed(std::uint64_t bytes, double seconds) {
    double perSecond = seconds > 0.001 ? static_cast<double>(bytes) / seconds : 0.0;
    const char16_t* unit = u"B/s";
    for (const char16_t* next : {u"KiB/s", u"MiB/s", u"GiB/s"}) {
        if (perSecond < 1024.0) {
            break;
        }
        perSecond /= 1024.0;
        unit = next;
    }
    std::string number = std::to_string(static_cast<long long>(perSecond * 10.0 + 0.5));
    if (number.size() < 2) {
        number.insert(0, "0");
    }
    number.insert(number.size() - 1, ".");
    return CodePage::FromUtf8(number) + u" " + unit;
}

}  // namespace

ProgressLine::ProgressLine(int columns) : columns_(columns > 10 ? columns : 80) {}

void ProgressLine::AlbumStarted(const std::u16string& name, int position, int count, Clock::time_point now) {
    name_ = VisibleText(name, false);
    position_ = position;
    count_ = count;
    saved_ = 0;
    total_ = -1;
    text_.clear();
    if (!timing_) {
        started_ = now;
        timing_ = true;
    }
}

void ProgressLine::Reset() {
    *this = ProgressLine(columns_);
}

void ProgressLine::PoolProgress(int saved, int total) {
    saved_ = saved;
    total_ = total;
}

void ProgressLine::PictureSaved(std::uint64_t bytes) {
    bytes_ += bytes;
}

void ProgressLine::Text(const std::u16string& text) {
    text_ = VisibleText(text, false);
}

std::u16string ProgressLine::Line(Clock::time_point now) const {
    std::u16string line;
    if (count_ > 0) {
        line = StringCtrl::Format(u"相册 %d/%d ", {position_, count_}) + name_;
        if (total_ >= 0) {
            double seconds = std::chrono::duration<double>(now - started_).count();
            line += StringCtrl::Format(u"  已下载 %d/%d  ", {saved_, total_}) + Speed(bytes_, seconds);
        } else if (!text_.empty()) {
            line += u"  " + text_;
        }
    } else {
        line = text_;
    }
    // The last column stays free: a line that fills it makes some terminals wrap.
    return Cut(line, columns_ - 1);
}

std::string ProgressLine::Draw(Clock::time_point now) const {
    std::u16string line = Line(now);
    if (line.empty()) {
        return {};
    }
    return "\r" + CodePage::ToUtf8(line) + "\x1b[K";
}

std::string ProgressLine::Clear() const {
    return shown_ ? "\r\x1b[K" : std::string();
}
