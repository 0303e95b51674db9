// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CDlgFailedPictures.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

CDlgFailedPictures::CDlgFailedPictures(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("failedPictures"));
    setWindowTitle(QStringLiteral("未能下载的图片"));
    setModal(false);

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setWordWrap(true);
    table_ = new QTableWidget(0, 3, this);
    table_->setObjectName(QStringLiteral("failedList"));
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("相册"), QStringLiteral("图片地址"), QStringLiteral("原因")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setWordWrap(false);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Interactive);
    table_->setColumnWidth(0, 140);
    table_->setColumnWidth(2, 160);

    auto* copy = new QPushButton(QStringLiteral("复制全部"), this);
    copy->setObjectName(QStringLiteral("copyAll"));
    copy->setAutoDefault(false);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("close"));
    close->setDefault(true);
    connect(copy, &QPushButton::clicked, this, [this] { QGuiApplication::clipboard()->setText(AllText()); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(copy);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);
    resize(720, 360);
}

void CDlgFailedPictures::SetPictures(const std::vector<JobProgress::FailedPicture>& pictures,
                                     const std::function<std::u16string(int album)>& albumName) {
    table_->setRowCount(0);
    table_->setRowCount(static_cast<int>(pictures.size()));
    int row = 0;
    for (const JobProgress::FailedPicture& picture : pictures) {
        const QString texts[] = {QString::fromStdU16String(albumName ? albumName(picture.album) : u""),
                                 QString::fromStdU16String(picture.url),
                                 QString::fromStdU16String(picture.reason)};
        for (int column = 0; column < 3; ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            item->setToolTip(texts[column]);
            table_->setItem(row, column, item);
        }
        ++row;
    }
    summary_->setText(QStringLiteral("下载结束，有%1张图片未能保存：").arg(pictures.size()));
}

int CDlgFailedPictures::RowCount() const {
    return table_->rowCount();
}

QStringList CDlgFailedPictures::Row(int row) const {
    QStringList texts;
    for (int column = 0; column < table_->columnCount(); ++column) {
        const QTableWidgetItem* item = table_->item(row, column);
        texts << (item != nullptr ? item->text() : QString());
    }
    return texts;
}

QString CDlgFailedPictures::AllText() const {
    QStringList lines;
    for (int row = 0; row < table_->rowCount(); ++row) {
        lines << Row(row).join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}
