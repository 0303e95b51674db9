// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

// The About box: the product, its version line and a line about what it is for.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr char16_t VERSION_LINE[] = u"版本号：14.06.20.01";

    explicit CAboutDlg(QWidget* parent = nullptr);
};
