// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainLayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>

#include "settings/qt/CComboBox2.h"
#include "ui/CMyGridCtrl.h"
#include "ui/ControlIds.h"

namespace {

// Dialog units of the window's font, so the controls keep the proportions of dialog 102.
struct DialogUnits {
    explicit DialogUnits(const QFont& font) {
        QFontMetrics metrics(font);
        const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        baseX = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
        baseY = metrics.height();
    }
    int X(int units) const { return units * baseX / 4; }
    int Y(int units) const { return units * baseY / 8; }
    int baseX;
    int baseY;
};

QLabel* MakeLink(const QString& text, const QString& name, QWidget* parent) {
    auto* link = new QLabel(QStringLiteral("<a href=\"#\">%1</a>").arg(text), parent);
    link->setObjectName(name);
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    return link;
}

}  // namespace

MainLayout::MainLayout(QDialog& window, AlbumView& view, AlbumList& albums, CoverSource& covers) {
    QDialog* const self = &window;
    const DialogUnits du(window.font());

    // The notice line lies over the two status lines until the first album list.
    stage = new QLabel(QStringLiteral("state1"), self);
    stage->setObjectName(ControlName(IDC_STAGE));
    progress = new QLabel(QStringLiteral("state2"), self);
    progress->setObjectName(ControlName(IDC_PROGRESS));
    for (QLabel* label : {stage, progress}) {
        // A long status must not widen the window.
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        // The Chinese statuses take the fallback font's taller line: the line is that tall from the
        // start, so the controls below do not move when the first one shows.
        const QString text = label->text();
        label->setText(QStringLiteral("正在获取相册列表"));
        label->setMinimumHeight(label->sizeHint().height());
        label->setText(text);
    }
    auto* statusRow = new QHBoxLayout;
    statusRow->setContentsMargins(du.X(5), 0, 0, 0);
    statusRow->setSpacing(du.X(8));
    statusRow->addWidget(stage, 99);
    statusRow->addWidget(progress, 269);
    notice = new QLabel(self);
    notice->setObjectName(ControlName(IDC_NOTICE));
    notice->setAutoFillBackground(true);
    notice->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    notice->setStyleSheet(QStringLiteral("color: #b04000;"));
    // The running job's progress, under the status lines; hidden until the first job, while the
    // notice lies over both.
    progressBar = new QProgressBar(self);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setTextVisible(true);
    progressBar->setAlignment(Qt::AlignCenter);
    progressBar->setFixedHeight(std::max(du.Y(9), progressBar->fontMetrics().height() + 4));
    QSizePolicy barPolicy = progressBar->sizePolicy();
    barPolicy.setRetainSizeWhenHidden(true);
    progressBar->setSizePolicy(barPolicy);
    progressBar->hide();
    auto* statusArea = new QGridLayout;
    statusArea->setContentsMargins(0, 0, 0, 0);
    statusArea->setVerticalSpacing(2);
    statusArea->addLayout(statusRow, 0, 0);
    statusArea->addWidget(progressBar, 1, 0);
    statusArea->addWidget(notice, 0, 0, 2, 1);

    site = new QComboBox(self);
    site->setObjectName(ControlName(IDC_SITE));
    site->setFixedWidth(du.X(70));
    subMode = new QComboBox(self);
    subMode->setObjectName(ControlName(IDC_SUBMODE));
    subMode->setFixedWidth(du.X(58));
    subMode->hide();
    input = new CComboBox2(self);
    input->setObjectName(ControlName(IDC_INPUT));
    listButton = new QPushButton(QStringLiteral("获取相册"), self);
    listButton->setObjectName(ControlName(IDC_LIST_BUTTON));
    listButton->setDefault(true);
    downloadButton = new QPushButton(QStringLiteral("下载"), self);
    downloadButton->setObjectName(ControlName(IDC_DOWNLOAD_BUTTON));
    downloadButton->setEnabled(false);
    auto* inputRow = new QHBoxLayout;
    inputRow->setSpacing(3);
    inputRow->addWidget(site);
    inputRow->addWidget(subMode);
    inputRow->addWidget(input, 1);
    inputRow->addSpacing(du.X(3) - 3);
    inputRow->addWidget(listButton);
    inputRow->addWidget(downloadButton);

    auto* pathLabel = new QLabel(QStringLiteral("保存路径:"), self);
    savePath = new CComboBox2(self);
    savePath->setObjectName(ControlName(IDC_SAVE_PATH));
    chooseFolder = new QPushButton(QStringLiteral("设置"), self);
    chooseFolder->setObjectName(ControlName(IDC_CHOOSE_FOLDER));
    openFolder = new QPushButton(QStringLiteral("打开"), self);
    openFolder->setObjectName(ControlName(IDC_OPEN_FOLDER));
    auto* pathRow = new QHBoxLayout;
    pathRow->setSpacing(3);
    pathRow->addWidget(pathLabel);
    pathRow->addWidget(savePath, 1);
    pathRow->addSpacing(du.X(3) - 3);
    pathRow->addWidget(chooseFolder);
    pathRow->addWidget(openFolder);
    const int buttonWidth = std::max(du.X(36), listButton->sizeHint().width());
    for (QPushButton* button : {listButton, downloadButton, chooseFolder, openFolder}) {
        button->setFixedWidth(buttonWidth);
        if (button != listButton) {
            button->setAutoDefault(false);
        }
    }

    group = new QGroupBox(QStringLiteral("相册列表"), self);
    group->setObjectName(ControlName(IDC_GROUP));
    exportLink = MakeLink(QStringLiteral("导出"), ControlName(IDC_EXPORT), group);
    filterLink = MakeLink(QStringLiteral("筛选"), ControlName(IDC_FILTER), group);
    findLink = MakeLink(QStringLiteral("查找"), ControlName(IDC_FIND), group);
    preview = new QCheckBox(QStringLiteral("预览图"), group);
    preview->setObjectName(ControlName(IDC_PREVIEW));
    selectAll = new QCheckBox(QStringLiteral("全选"), group);
    selectAll->setObjectName(ControlName(IDC_SELECT_ALL));
    grid = new CMyGridCtrl(view, albums, covers, group);
    grid->setObjectName(ControlName(IDC_GRID));
    auto* tools = new QHBoxLayout;
    tools->setSpacing(du.X(9));
    tools->addStretch(1);
    for (QWidget* tool :
         std::initializer_list<QWidget*>{exportLink, filterLink, findLink, preview, selectAll}) {
        tools->addWidget(tool);
    }
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->setContentsMargins(du.X(3), du.Y(2), du.X(3), du.Y(3));
    groupLayout->setSpacing(du.Y(2));
    groupLayout->addLayout(tools);
    groupLayout->addWidget(grid, 1);

    auto* layout = new QVBoxLayout(self);
    layout->setContentsMargins(du.X(4), du.Y(2), du.X(4), du.Y(4));
    layout->setSpacing(du.Y(4));
    layout->addLayout(statusArea);
    layout->addLayout(inputRow);
    layout->addLayout(pathRow);
    layout->addWidget(group, 1);
    window.resize(du.X(471), du.Y(323) + 24);
}
