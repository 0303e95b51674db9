#include "settings/qt/DialogNotice.h"

#include <QApplication>

QMessageBox* ShowDialogNotice(QWidget* dialog, const QString& text, QMessageBox::Icon icon) {
    auto* box = new QMessageBox(icon, QApplication::applicationDisplayName(), text, QMessageBox::Ok, dialog);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setObjectName(QStringLiteral("notice"));
    box->open();
    return box;
}
