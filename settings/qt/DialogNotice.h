#pragma once

#include <QMessageBox>
#include <QString>

// A message box over a settings dialog, titled with the application's name. It is window-modal and
// returns at once, so the dialog under it stays open and keeps its input.
QMessageBox* ShowDialogNotice(QWidget* dialog, const QString& text, QMessageBox::Icon icon);
