// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FileTypeTranslator.h"

#include <cstring>

QString FileTypeTranslator::translate(const char* context, const char* sourceText, const char*, int) const {
    if (context == nullptr || sourceText == nullptr ||
        std::strcmp(context, "QAbstractFileIconProvider") != 0) {
        return {};
    }
    static const struct {
        const char* english;
        const char16_t* chinese;
    } kWords[] = {
        {"Folder", u"文件夹"},     {"File Folder", u"文件夹"}, {"Drive", u"驱动器"},
        {"Shortcut", u"快捷方式"}, {"Unknown", u"未知"},
    };
    for (const auto& word : kWords) {
        if (std::strcmp(sourceText, word.english) == 0) {
            return QString::fromUtf16(word.chinese);
        }
    }
    return {};
}
