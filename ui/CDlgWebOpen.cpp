#include "ui/CDlgWebOpen.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

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
}  // namespace

CDlgWebOpen::CDlgWebOpen(const QString& startUrl, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("d%1").arg(IDD_WEB_OPEN));
    setWindowTitle(QString::fromUtf16(u"登录成功后手动关闭对话框"));
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

    // The browser fills the window below the address row up to its right and bottom edges; "打开"
    // stays at the right edge and the address box stretches up to it.
    auto* row = new QHBoxLayout;
    row->setContentsMargins(6, 2, 0, 2);
    row->setSpacing(BUTTON_GAP);
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
