// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "settings/ProgramSettings.h"

class QFormLayout;
class QLineEdit;

// The download-parameters dialog: size limits, worker threads and time-out of the current site
// type. OK stores and saves valid values; bad values are refused with "参数错误" and the dialog
// stays open with the input as typed.
class CDlgDownSet : public QDialog {
    Q_OBJECT
public:
    // Edits the slot of siteType in settings.
    CDlgDownSet(ProgramSettings& settings, int siteType, QWidget* parent = nullptr);

private:
    void OnOk();
    QLineEdit* AddEdit(int id, const QString& label, int value, QFormLayout* form);

    ProgramSettings& settings_;
    int siteType_;
    QLineEdit* minEdit_ = nullptr;
    QLineEdit* maxEdit_ = nullptr;
    QLineEdit* threadEdit_ = nullptr;
    QLineEdit* timeoutEdit_ = nullptr;
};
