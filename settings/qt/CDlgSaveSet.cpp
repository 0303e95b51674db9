// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/qt/CDlgSaveSet.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "settings/SettingsEdits.h"
#include "settings/qt/DialogNotice.h"

namespace {

constexpr int IDD_SAVE_SET = 130;
constexpr int IDC_HELP_LINK = 1010;
constexpr int IDC_OK = 1023;
constexpr int IDC_CANCEL = 2;

QString Text(const char16_t* text) {
    return QString::fromUtf16(text);
}

// Radios whose group ids are the stored choice values.
void AddRadios(QButtonGroup* group, QHBoxLayout* row,
               std::initializer_list<std::pair<int, const char16_t*>> radios, int checked, QWidget* parent) {
    int value = 0;
    for (const auto& [id, text] : radios) {
        auto* radio = new QRadioButton(Text(text), parent);
        radio->setObjectName(QStringLiteral("c%1").arg(id));
        group->addButton(radio, value);
        radio->setChecked(value == checked);
        row->addWidget(radio);
        ++value;
    }
    row->addStretch();
}

// One row of two labelled edits.
void AddEditPair(QGridLayout* grid, int row, const char16_t* leftLabel, QLineEdit* left,
                 const char16_t* rightLabel, QLineEdit* right, QWidget* parent) {
    grid->addWidget(new QLabel(Text(leftLabel), parent), row, 0);
    grid->addWidget(left, row, 1);
    grid->addWidget(new QLabel(Text(rightLabel), parent), row, 2);
    grid->addWidget(right, row, 3);
}

// A choice with no radio checked (a value the file held that no radio stands for) stays as it was.
std::uint8_t ChosenOr(const QButtonGroup* group, std::uint8_t current) {
    int id = group->checkedId();
    return id < 0 ? current : static_cast<std::uint8_t>(id);
}

}  // namespace

CDlgSaveSet::CDlgSaveSet(ProgramSettings& settings, int siteType, QWidget* parent)
    : QDialog(parent), settings_(settings), siteType_(siteType) {
    setObjectName(QStringLiteral("d%1").arg(IDD_SAVE_SET));
    setWindowTitle(Text(u"保存设置"));
    const NamingSettings& naming = settings_.Slot(siteType_).naming;

    filePrefix_ = MakeEdit(1000, naming.filePrefix);
    fileSuffix_ = MakeEdit(1001, naming.fileSuffix);
    replaceFrom_ = MakeEdit(1021, naming.replaceFrom);
    replaceTo_ = MakeEdit(1022, naming.replaceTo);
    folderPrefix_ = MakeEdit(1002, naming.folderPrefix);
    folderSuffix_ = MakeEdit(1003, naming.folderSuffix);

    auto* fileGroup = new QGroupBox(Text(u"文件名"), this);
    auto* fileGrid = new QGridLayout(fileGroup);
    AddEditPair(fileGrid, 0, u"前缀", filePrefix_, u"后缀", fileSuffix_, this);
    AddEditPair(fileGrid, 1, u"替换", replaceFrom_, u"替换为", replaceTo_, this);
    auto* baseRow = new QHBoxLayout;
    baseName_ = new QButtonGroup(this);
    AddRadios(baseName_, baseRow, {{1016, u"描述"}, {1017, u"序号"}, {1018, u"网址"}}, naming.baseName, this);
    fileGrid->addLayout(baseRow, 2, 0, 1, 4);

    auto* folderGroup = new QGroupBox(Text(u"相册路径(相册名)"), this);
    auto* folderGrid = new QGridLayout(folderGroup);
    AddEditPair(folderGrid, 0, u"前缀", folderPrefix_, u"后缀", folderSuffix_, this);
    auto* folderRow = new QHBoxLayout;
    folderNaming_ = new QButtonGroup(this);
    AddRadios(folderNaming_, folderRow, {{1019, u"相册名"}, {1020, u"无"}}, naming.folderNaming, this);
    folderGrid->addLayout(folderRow, 1, 0, 1, 4);

    auto* link = new QLabel(QStringLiteral("<a href=\"help\">%1</a>").arg(Text(u"前后缀说明")), this);
    link->setObjectName(QStringLiteral("c%1").arg(IDC_HELP_LINK));
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(link, &QLabel::linkActivated, this, &CDlgSaveSet::ShowHelp);

    auto* ok = new QPushButton(Text(u"确 定"), this);
    ok->setObjectName(QStringLiteral("c%1").arg(IDC_OK));
    ok->setDefault(true);
    auto* cancel = new QPushButton(Text(u"取 消"), this);
    cancel->setObjectName(QStringLiteral("c%1").arg(IDC_CANCEL));
    connect(ok, &QPushButton::clicked, this, &CDlgSaveSet::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(link);
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fileGroup);
    layout->addWidget(folderGroup);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QLineEdit* CDlgSaveSet::MakeEdit(int id, const std::u16string& text) {
    auto* edit = new QLineEdit(QString::fromStdU16String(text), this);
    edit->setObjectName(QStringLiteral("c%1").arg(id));
    edit->setMinimumWidth(150);
    return edit;
}

QString CDlgSaveSet::HelpText() {
    return Text(
        u"设置前后缀，可以在图片本来的文件名前后加上指定的字符\n如：图片本来的文件名为：zmw42."
        u"jpg，如果前缀为空，后缀为_"
        u"com\n则最后图片名将变为zmw42_com.jpg\n"
        u"如果前缀为www_，后缀为_com\n则最后图片名将变为www_zmw42_com.jpg\n"
        u"相册名那里前后缀一样\n同时，支持转义字符，当前后缀中含有转义字符时，程序会将转义字符转换为转义字符"
        u"所表示的字"
        u"符串\n"
        u"转义字符如下（问号为英文的问号，相册名的转义字符只支持?1,?3,?9）：\n"
        u"?1:相册名称\n?2:图片在相册中的序号\n?3:相册在列表中的序号(格式为：1,2,3...)\n?4:未定义\n?5:"
        u"未定义\n?6:选中的"
        u"相册数\n?7:总共的相册数(选中的+未选中的)\n?9:相册在列表中的序号(格式为：0001,0002,0003...)");
}

void CDlgSaveSet::ShowHelp() {
    ShowDialogNotice(this, HelpText(), QMessageBox::Information);
}

void CDlgSaveSet::OnOk() {
    const NamingSettings& current = settings_.Slot(siteType_).naming;
    NamingSettings edited;
    edited.filePrefix = filePrefix_->text().toStdU16String();
    edited.fileSuffix = fileSuffix_->text().toStdU16String();
    edited.replaceFrom = replaceFrom_->text().toStdU16String();
    edited.replaceTo = replaceTo_->text().toStdU16String();
    edited.folderPrefix = folderPrefix_->text().toStdU16String();
    edited.folderSuffix = folderSuffix_->text().toStdU16String();
    edited.baseName = ChosenOr(baseName_, current.baseName);
    edited.folderNaming = ChosenOr(folderNaming_, current.folderNaming);
    SettingsEdits::ApplyNaming(settings_, siteType_, edited);
    accept();
}
