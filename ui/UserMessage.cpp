// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/UserMessage.h"

#include <QMessageBox>
#include <QPushButton>

#include "settings/qt/DialogNotice.h"
#include "ui/WindowRules.h"

bool ShowUserMessage(QWidget& parent, const std::u16string& text, const std::u16string& caption,
                     bool question) {
    QMessageBox box(question ? QMessageBox::Question : QMessageBox::Information,
                    QString::fromStdU16String(caption.empty() ? std::u16string(WindowRules::TITLE) : caption),
                    QString::fromStdU16String(text),
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, &parent);
    box.setObjectName("messageBox");
    FitMessageBoxToTitle(box);
    if (question) {
        box.button(QMessageBox::Yes)->setText(QStringLiteral("是"));
        box.button(QMessageBox::No)->setText(QStringLiteral("否"));
    } else {
        box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    }
    const int answer = box.exec();
    return question && answer == QMessageBox::Yes;
}

QMessageBox* ShowUserNotice(QWidget& parent, const std::u16string& text, const std::u16string& caption) {
    auto* box = new QMessageBox(
        QMessageBox::Information,
        QString::fromStdU16String(caption.empty() ? std::u16string(WindowRules::TITLE) : caption),
        QString::fromStdU16String(text), QMessageBox::Ok, &parent);
    box->setObjectName("messageBox");
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->setWindowModality(Qt::NonModal);
    FitMessageBoxToTitle(*box);
    box->button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box->show();
    return box;
}
