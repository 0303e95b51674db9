// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

#include "ui/JobProgress.h"

class QLabel;
class QTableWidget;

// The pictures a download could not save, with the reason for each, shown when the download has
// ended. It does not block the main window; the next download's list replaces its content.
class CDlgFailedPictures : public QDialog {
    Q_OBJECT
public:
    explicit CDlgFailedPictures(QWidget* parent = nullptr);

    // The list to show; albumName gives the name shown for an album's place in the album list.
    void SetPictures(const std::vector<JobProgress::FailedPicture>& pictures,
                     const std::function<std::u16string(int album)>& albumName);

    int RowCount() const;
    // Row row's texts: album, picture address, reason.
    QStringList Row(int row) const;
    // Every row as a tab-separated line, as "复制全部" puts it on the clipboard.
    QString AllText() const;

private:
    QLabel* summary_;
    QTableWidget* table_;
};
