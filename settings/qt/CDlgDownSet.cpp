// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/qt/CDlgDownSet.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/DialogRules.h"
#include "settings/SettingsEdits.h"
#include "settings/qt/DialogNotice.h"

namespace {
constexpr int IDD_DOWN_SET = 131;
constexpr int IDC_OK = 1023;
constexpr int IDC_CANCEL = 2;
}  // namespace

CDlgDownSet::CDlgDownSet(ProgramSettings& settings, int siteType, QWidget* parent)
    : QDialog(parent), settings_(settings), siteType_(siteType) {
    setObjectName(QStringLiteral("d%1").arg(IDD_DOWN_SET));
    setWindowTitle(QString::fromUtf16(u"下载设置"));

    auto* group = new QGroupBox(QString::fromUtf16(u"下载参数设置"), this);
    auto* form = new QFormLayout(group);
    const DownloadParams& params = settings_.Slot(siteType_).download;
    // Shown as signed numbers, as typed back they are read the same way.
    minEdit_ = AddEdit(1000, QString::fromUtf16(u"图片最小值(K)："), params.minPictureKB, form);
    maxEdit_ = AddEdit(1001, QString::fromUtf16(u"图片最大值(K)："), params.maxPictureKB, form);
    threadEdit_ = AddEdit(1002, QString::fromUtf16(u"线程数(1~15)："), params.threadCount, form);
    timeoutEdit_ = AddEdit(1003, QString::fromUtf16(u"超时(S, >=10)："), params.timeoutSec, form);

    auto* ok = new QPushButton(QString::fromUtf16(u"确 定"), this);
    ok->setObjectName(QStringLiteral("c%1").arg(IDC_OK));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QString::fromUtf16(u"取 消"), this);
    cancel->setObjectName(QStringLiteral("c%1").arg(IDC_CANCEL));
    connect(ok, &QPushButton::clicked, this, &CDlgDownSet::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QLineEdit* CDlgDownSet::AddEdit(int id, const QString& label, int value, QFormLayout* form) {
    auto* edit = new QLineEdit(QString::number(value), this);
    edit->setObjectName(QStringLiteral("c%1").arg(id));
    edit->setMinimumWidth(90);
    form->addRow(label, edit);
    return edit;
}

void CDlgDownSet::OnOk() {
    const std::u16string values[] = {minEdit_->text().toStdU16String(), maxEdit_->text().toStdU16String(),
                                     threadEdit_->text().toStdU16String(),
                                     timeoutEdit_->text().toStdU16String()};
    if (!SettingsEdits::ApplyDownloadParams(settings_, siteType_, values[0], values[1], values[2],
                                            values[3])) {
        // The box names the field and what it takes; the field is ready for the correction.
        const int field = DialogRules::RefusedDownloadParam(values[0], values[1], values[2], values[3]);
        ShowDialogNotice(this, QString::fromUtf16(DialogRules::PARAMETER_ERROR), QMessageBox::Warning,
                         QString::fromStdU16String(DialogRules::RefusedParamHint(field)));
        QLineEdit* edits[] = {minEdit_, maxEdit_, threadEdit_, timeoutEdit_};
        QLineEdit* wrong = field == DialogRules::SIZES_CROSSED ? minEdit_
                           : field >= 0 && field < 4           ? edits[field]
                                                               : nullptr;
        if (wrong != nullptr) {
            wrong->setFocus();
            wrong->selectAll();
        }
        return;
    }
    accept();
}
