// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CAboutDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/AppArt.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("about");
    setWindowTitle(QStringLiteral("关于 Orvelle"));

    auto* icon = new QLabel(this);
    icon->setPixmap(AppArt::IconPixmap(48));
    icon->setAlignment(Qt::AlignTop);

    auto* name = new QLabel(QStringLiteral("<b>Orvelle</b>"), this);
    auto* version = new QLabel(QString::fromStdU16String(VERSION_LINE), this);
    version->setObjectName("version");
    auto* about = new QLabel(QStringLiteral("相册批量下载工具"), this);

    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(version);
    texts->addWidget(about);
    texts->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
