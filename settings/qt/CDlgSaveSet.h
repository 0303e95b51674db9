// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "settings/ProgramSettings.h"

class QButtonGroup;
class QLineEdit;

// The file-name dialog: the six naming texts and the two naming choices of the current site type.
// OK stores them (each text cut to 38 characters) and saves; its link explains the prefixes,
// suffixes and escapes.
class CDlgSaveSet : public QDialog {
    Q_OBJECT
public:
    // Edits the slot of siteType in settings.
    CDlgSaveSet(ProgramSettings& settings, int siteType, QWidget* parent = nullptr);

    // The text the link "前后缀说明" shows.
    static QString HelpText();

private:
    void OnOk();
    void ShowHelp();
    QLineEdit* MakeEdit(int id, const std::u16string& text);

    ProgramSettings& settings_;
    int siteType_;
    QLineEdit* filePrefix_ = nullptr;
    QLineEdit* fileSuffix_ = nullptr;
    QLineEdit* replaceFrom_ = nullptr;
    QLineEdit* replaceTo_ = nullptr;
    QLineEdit* folderPrefix_ = nullptr;
    QLineEdit* folderSuffix_ = nullptr;
    QButtonGroup* baseName_ = nullptr;
    QButtonGroup* folderNaming_ = nullptr;
};
