// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CDlgWebOpen.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineHistory>

#include "MyCode/StringCtrl.h"
#include "ui/CExplorer1.h"
#include "ui/LoginProfile.h"

namespace {
constexpr int IDD_WEB_OPEN = 133;
constexpr int IDC_ADDRESS = 1001;
constexpr int IDC_BROWSER = 1025;
constexpr int IDC_OPEN = 1026;
// The address row above the browser, and the gap between the address box and "打开".
constexpr int ADDRESS_ROW_HEIGHT = 28;
constexpr int BUTTON_GAP = 5;
// The loading bar between the address row and the page.
constexpr int PROGRESS_HEIGHT = 3;
}  // namespace

CDlgWebOpen::CDlgWebOpen(const QString& startUrl, QWidget* parent, Page page) : QDialog(parent) {
    setObjectName(QStringLiteral("d%1").arg(IDD_WEB_OPEN));
    setWindowTitle(QString::fromUtf16(page == Page::Password ? u"输入相册密码后手动关闭对话框"
                                                             : u"登录成功后手动关闭对话框"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setSizeGripEnabled(true);

    auto* label = new QLabel(QString::fromUtf16(u"网址："), this);
    address_ = new QLineEdit(this);
    address_->setObjectName(QStringLiteral("c%1").arg(IDC_ADDRESS));
    open_ = new QPushButton(QString::fromUtf16(u"打开"), this);
    open_->setObjectName(QStringLiteral("c%1").arg(IDC_OPEN));
    open_->setDefault(true);
    browser_ = new CExplorer1(LoginProfile::Profile(), this);
    browser_->setObjectName(QStringLiteral("c%1").arg(IDC_BROWSER));
    connect(open_, &QPushButton::clicked, this, &CDlgWebOpen::Open);

    // A login may take several pages and a wrong turn; the user goes back or loads again here,
    // and sees that a page is still coming.
    back_ = new QToolButton(this);
    back_->setObjectName(QStringLiteral("back"));
    back_->setText(QString::fromUtf16(u"后退"));
    back_->setEnabled(false);
    back_->setFocusPolicy(Qt::NoFocus);
    reload_ = new QToolButton(this);
    reload_->setObjectName(QStringLiteral("reload"));
    reload_->setText(QString::fromUtf16(u"刷新"));
    reload_->setFocusPolicy(Qt::NoFocus);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("loadProgress"));
    progress_->setRange(0, 100);
    progress_->setTextVisible(false);
    progress_->setFixedHeight(PROGRESS_HEIGHT);
    QSizePolicy keepPlace = progress_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);  // the page does not jump when a load ends
    progress_->setSizePolicy(keepPlace);
    progress_->hide();
    connect(back_, &QToolButton::clicked, browser_, &QWebEngineView::back);
    connect(reload_, &QToolButton::clicked, browser_, &QWebEngineView::reload);
    connect(browser_, &QWebEngineView::loadStarted, this, [this] {
        progress_->setValue(0);
        progress_->show();
    });
    connect(browser_, &QWebEngineView::loadProgress, progress_, &QProgressBar::setValue);
    connect(browser_, &QWebEngineView::loadFinished, this, [this] { progress_->hide(); });
    connect(browser_, &QWebEngineView::urlChanged, this,
            [this] { back_->setEnabled(browser_->history()->canGoBack()); });

    // The browser fills the window below the address row up to its right and bottom edges; "打开"
    // stays at the right edge and the address box stretches up to it.
    auto* row = new QHBoxLayout;
    row->setContentsMargins(6, 2, 0, 2);
    row->setSpacing(BUTTON_GAP);
    row->addWidget(back_);
    row->addWidget(reload_);
    row->addWidget(label);
    row->addWidget(address_, 1);
    row->addWidget(open_);
    auto* top = new QWidget(this);
    top->setLayout(row);
    top->setFixedHeight(ADDRESS_ROW_HEIGHT);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(top);
    layout->addWidget(progress_);
    layout->addWidget(browser_, 1);
    resize(705, 620);

    // The store may hold cookies from an earlier run or from the jobs; the pages should see them.
    LoginProfile::LoadStoreCookies();
    if (!startUrl.isEmpty()) {
        address_->setText(startUrl);
        Open();
    } else {
        address_->setText(QString::fromStdU16String(StringCtrl::GetClipboardText()));
    }
}

void CDlgWebOpen::Open() {
    browser_->Navigate(address_->text());
}

void CDlgWebOpen::keyPressEvent(QKeyEvent* event) {
    // Keys a page leaves unhandled come up to this window: Enter in a page must not reload the
    // typed address, and Escape must not close the window in the middle of a login.
    QWidget* focus = focusWidget();
    if (focus != nullptr && (focus == browser_ || browser_->isAncestorOf(focus)) &&
        (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
