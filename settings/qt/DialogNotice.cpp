// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/qt/DialogNotice.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QSpacerItem>

namespace {

// Room the window system takes beside the title: the window's icon and its buttons.
constexpr int kTitleBarExtras = 140;

}  // namespace

QMessageBox* ShowDialogNotice(QWidget* dialog, const QString& text, QMessageBox::Icon icon,
                              const QString& detail) {
    auto* box = new QMessageBox(icon, QApplication::applicationDisplayName(), text, QMessageBox::Ok, dialog);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setObjectName(QStringLiteral("notice"));
    if (!detail.isEmpty()) {
        box->setInformativeText(detail);
    }
    FitMessageBoxToTitle(*box);
    box->open();
    return box;
}

void FitMessageBoxToTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) {
        return;
    }
    // Title bars draw in a bold face of about the window's font; measured so, with a little to
    // spare for a wider one.
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int titleWidth =
        QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) * 6 / 5 + kTitleBarExtras;
    // A message box takes no minimum width from outside; a spacer across its grid is obeyed.
    grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                  grid->rowCount(), 0, 1, grid->columnCount());
}
