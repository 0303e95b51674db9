// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTranslator>

// The file dialog's type column: Qt names a folder, a drive or a link through the icon provider,
// whose words Debian's qtbase catalogue does not carry, so the column said "Folder" in a Chinese
// window. This translator gives them; every other text goes on to Qt's catalogues.
class FileTypeTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }
};
