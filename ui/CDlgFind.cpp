// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CDlgFind.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

#include "MyCode/StringCtrl.h"

namespace {

QString Name(int id) {
    return QStringLiteral("c%1").arg(id);
}

}  // namespace

CDlgFind::CDlgFind(Mode mode, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), mode_(mode) {
    setObjectName(QStringLiteral("d704"));
    setWindowTitle(QStringLiteral("相册搜索"));

    caption_ = new QLabel(QStringLiteral("相册搜索"), this);
    caption_->setObjectName(QStringLiteral("caption"));
    QFont bold = caption_->font();
    bold.setBold(true);
    caption_->setFont(bold);
    close_ = new QPushButton(QStringLiteral("×"), this);
    close_->setObjectName(Name(1699));
    close_->setFlat(true);
    close_->setAutoDefault(false);
    close_->setFixedSize(22, 20);
    close_->setToolTip(QStringLiteral("关闭"));

    auto* keywordLabel = new QLabel(QStringLiteral("关键字:"), this);
    keyword_ = new QLineEdit(this);
    keyword_->setObjectName(Name(1639));
    keywordLabel->setBuddy(keyword_);
    matchCase_ = new QCheckBox(QStringLiteral("区分大小写"), this);
    matchCase_->setObjectName(Name(1033));
    wholeCell_ = new QCheckBox(QStringLiteral("全字匹配"), this);
    wholeCell_->setObjectName(Name(1034));
    previous_ = new QPushButton(QStringLiteral("上一个"), this);
    previous_->setObjectName(Name(1701));
    previous_->setAutoDefault(false);
    next_ = new QPushButton(QStringLiteral("下一个"), this);
    next_->setObjectName(Name(1006));
    next_->setDefault(true);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("findStatus"));
    status_->setStyleSheet(QStringLiteral("color: #a03000;"));
    status_->hide();

    auto* top = new QHBoxLayout;
    top->addWidget(caption_);
    top->addStretch(1);
    top->addWidget(close_);
    auto* keywordRow = new QHBoxLayout;
    keywordRow->addWidget(keywordLabel);
    keywordRow->addWidget(keyword_, 1);
    auto* checks = new QHBoxLayout;
    checks->addWidget(matchCase_);
    checks->addWidget(wholeCell_);
    checks->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(previous_);
    buttons->addWidget(next_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 4, 8);
    layout->setSpacing(6);
    layout->addLayout(top);
    layout->addLayout(keywordRow);
    layout->addLayout(checks);
    layout->addLayout(buttons);
    layout->addWidget(status_);

    connect(next_, &QPushButton::clicked, this, [this] { OnNext(); });
    connect(previous_, &QPushButton::clicked, this, [this] { emit searchRequested(false); });
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    SetMode(mode);
}

void CDlgFind::SetMode(Mode mode) {
    mode_ = mode;
    const bool search = mode == Mode::Search;
    matchCase_->setVisible(search);
    wholeCell_->setVisible(search);
    previous_->setVisible(search);
    next_->setText(search ? QStringLiteral("下一个") : QStringLiteral("筛选"));
    // The filter is a different question from the search: its box says so.
    const QString title = search ? QStringLiteral("相册搜索") : QStringLiteral("相册筛选");
    caption_->setText(title);
    setWindowTitle(title);
    status_->clear();
    status_->hide();
    setModal(!search);
    adjustSize();
}

std::u16string CDlgFind::Keyword() const {
    return StringCtrl::Trim(keyword_->text().toStdU16String());
}

bool CDlgFind::MatchCase() const {
    return matchCase_->isChecked();
}

bool CDlgFind::WholeCell() const {
    return wholeCell_->isChecked();
}

void CDlgFind::CentreOn(const QWidget* window) {
    if (window == nullptr) {
        return;
    }
    adjustSize();
    QRect frame = frameGeometry();
    frame.moveCenter(window->frameGeometry().center());
    move(frame.topLeft());
}

void CDlgFind::SetStatus(const QString& text) {
    status_->setText(text);
    status_->setVisible(!text.isEmpty());
    adjustSize();
}

QString CDlgFind::Status() const {
    return status_->text();
}

void CDlgFind::OnNext() {
    if (mode_ == Mode::Filter) {
        accept();
        return;
    }
    emit searchRequested(true);
}

void CDlgFind::mousePressEvent(QMouseEvent* event) {
    // Presses on the buttons, boxes and the edit never get here; labels pass theirs on.
    if (event->button() != Qt::LeftButton) {
        QDialog::mousePressEvent(event);
        return;
    }
    // The window system moves the window where it can; elsewhere the window follows the mouse.
    if (windowHandle() != nullptr && windowHandle()->startSystemMove()) {
        event->accept();
        return;
    }
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
    event->accept();
}

void CDlgFind::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - dragOffset_);
        event->accept();
        return;
    }
    QDialog::mouseMoveEvent(event);
}

void CDlgFind::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = false;
    }
    QDialog::mouseReleaseEvent(event);
}

void CDlgFind::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    keyword_->setFocus();
    keyword_->selectAll();
    emit visibilityChanged(true);
}

void CDlgFind::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    dragging_ = false;
    emit visibilityChanged(false);
}

void CDlgFind::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    // Without a frame of its own the window needs a border to stand out from the one below.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
