#pragma once

#include <QDialog>

#include "core/JobContext.h"

class QFormLayout;
class QLineEdit;

// The download-parameters dialog: size limits, worker threads and time-out of the current site
// type. OK stores and saves valid values; bad values are refused with "参数错误" and the dialog
// stays open with the input as typed.
class CDlgDownSet : public QDialog {
    Q_OBJECT
public:
    CDlgDownSet(JobContext& job, QWidget* parent = nullptr);

private:
    void OnOk();
    QLineEdit* AddEdit(int id, const QString& label, int value, QFormLayout* form);

    JobContext& job_;
    QLineEdit* minEdit_ = nullptr;
    QLineEdit* maxEdit_ = nullptr;
    QLineEdit* threadEdit_ = nullptr;
    QLineEdit* timeoutEdit_ = nullptr;
};
