// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>

// A message box over a settings dialog, titled with the application's name. It is window-modal and
// returns at once, so the dialog under it stays open and keeps its input. detail, when not empty,
// is a second line that says more (which field is wrong, and what it takes).
QMessageBox* ShowDialogNotice(QWidget* dialog, const QString& text, QMessageBox::Icon icon,
                              const QString& detail = QString());

// Makes a message box at least wide enough to show its whole title: a short text under a long
// title would otherwise give a box whose title bar cuts the title off.
void FitMessageBoxToTitle(QMessageBox& box);
