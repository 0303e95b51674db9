// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

#include "platform/FileSystem.h"
#include "settings/ProgramSettings.h"
#include "settings/SettingsFile.h"
#include "settings/qt/CComboBox2.h"
#include "settings/qt/CDlgDownSet.h"
#include "settings/qt/CDlgSaveSet.h"
#include "support/TempDir.h"

namespace {

template <typename T>
T* Control(QWidget& dialog, int id) {
    T* control = dialog.findChild<T*>(QStringLiteral("c%1").arg(id));
    EXPECT_NE(control, nullptr) << "control " << id;
    return control;
}

// The notice a dialog shows over itself, or null.
QMessageBox* VisibleNotice(QWidget& dialog) {
    for (QMessageBox* box : dialog.findChildren<QMessageBox*>()) {
        if (box->isVisible()) {
            return box;
        }
    }
    return nullptr;
}

// Settings whose current site type is Yupoo, saved into a folder of their own.
class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings_ = std::make_unique<ProgramSettings>();
        settings_->programDir = dir_.Path();
        for (SiteSettings& slot : settings_->siteSettings) {
            slot.download = {0, 0, 5, 30};
        }
        settings_->siteSettings[SITE_YUPOO].download = {20, 900, 7, 45};
    }

    bool Saved() const { return FileSystem::Exists(SettingsFile::PathIn(dir_.Path())); }

    // What a later start would load.
    SiteSettings SavedSlot(int siteType) const {
        ProgramSettings reloaded;
        reloaded.programDir = dir_.Path();
        SettingsFile::Load(reloaded);
        return reloaded.siteSettings[siteType];
    }

    TempDir dir_;
    std::unique_ptr<ProgramSettings> settings_;
};

using DownSetTest = SettingsDialogTest;

TEST_F(DownSetTest, ShowsTheCurrentSiteTypesValues) {
    CDlgDownSet dialog(*settings_, SITE_YUPOO);
    // The two settings dialogs are told apart by their titles.
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf16(u"下载设置"));
    EXPECT_EQ(CDlgSaveSet(*settings_, SITE_YUPOO).windowTitle(), QString::fromUtf16(u"保存设置"));
    EXPECT_EQ(Control<QLineEdit>(dialog, 1000)->text(), "20");
    EXPECT_EQ(Control<QLineEdit>(dialog, 1001)->text(), "900");
    EXPECT_EQ(Control<QLineEdit>(dialog, 1002)->text(), "7");
    EXPECT_EQ(Control<QLineEdit>(dialog, 1003)->text(), "45");
    EXPECT_EQ(Control<QPushButton>(dialog, 1023)->text(), QString::fromUtf16(u"确 定"));
}

struct DownSetCase {
    const char* threads;
    const char* timeout;
    bool accepted;
    const char16_t* field = u"";  // the field the refusal names
};

class DownSetValidation : public SettingsDialogTest, public ::testing::WithParamInterface<DownSetCase> {};

TEST_P(DownSetValidation, RefusesBadValuesAndStaysOpen) {
    const DownSetCase& c = GetParam();
    CDlgDownSet dialog(*settings_, SITE_YUPOO);
    dialog.show();
    Control<QLineEdit>(dialog, 1000)->setText("50");
    Control<QLineEdit>(dialog, 1001)->setText("0");
    Control<QLineEdit>(dialog, 1002)->setText(c.threads);
    Control<QLineEdit>(dialog, 1003)->setText(c.timeout);
    Control<QPushButton>(dialog, 1023)->click();

    const DownloadParams& stored = settings_->siteSettings[SITE_YUPOO].download;
    if (c.accepted) {
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(VisibleNotice(dialog), nullptr);
        EXPECT_EQ(stored.minPictureKB, 50);
        EXPECT_EQ(stored.maxPictureKB, 0);
        EXPECT_EQ(stored.threadCount, QByteArray(c.threads).toInt());
        EXPECT_EQ(stored.timeoutSec, QByteArray(c.timeout).toInt());
        SiteSettings saved = SavedSlot(SITE_YUPOO);
        EXPECT_EQ(saved.download.threadCount, stored.threadCount);
        EXPECT_EQ(saved.download.timeoutSec, stored.timeoutSec);
        EXPECT_EQ(saved.download.minPictureKB, 50);
    } else {
        EXPECT_TRUE(dialog.isVisible());
        QMessageBox* notice = VisibleNotice(dialog);
        ASSERT_NE(notice, nullptr);
        EXPECT_EQ(notice->text(), QString::fromUtf16(u"参数错误"));
        // The box says which field is wrong and what it takes; that field has the focus.
        EXPECT_TRUE(notice->informativeText().startsWith(QString::fromUtf16(c.field)))
            << notice->informativeText().toStdString();
        const int id = QString::fromUtf16(c.field) == QString::fromUtf16(u"线程数") ? 1002 : 1003;
        EXPECT_EQ(Control<QLineEdit>(dialog, id)->selectedText(), Control<QLineEdit>(dialog, id)->text());
        // Wide enough for its title.
        EXPECT_GE(notice->width(), notice->fontMetrics().horizontalAdvance(notice->windowTitle()) + 100);
        notice->close();
        // The typed values stay for the user to correct.
        EXPECT_EQ(Control<QLineEdit>(dialog, 1002)->text(), c.threads);
        // Cancelling afterwards keeps what was in force.
        Control<QPushButton>(dialog, 2)->click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(stored.threadCount, 7);
        EXPECT_EQ(stored.timeoutSec, 45);
        EXPECT_EQ(stored.minPictureKB, 20);
        EXPECT_FALSE(Saved());
    }
    // Only the current site type's slot is touched.
    EXPECT_EQ(settings_->siteSettings[SITE_TENCENT].download.threadCount, 5);
}

INSTANTIATE_TEST_SUITE_P(Values, DownSetValidation,
                         ::testing::Values(DownSetCase{"16", "30", false, u"线程数"},
                                           DownSetCase{"0", "30", false, u"线程数"},
                                           DownSetCase{"5", "9", false, u"超时"},
                                           DownSetCase{"五", "30", false, u"线程数"},
                                           DownSetCase{"65537", "30", false, u"线程数"},
                                           DownSetCase{"15", "10", true}, DownSetCase{"1", "600", true}));

// A minimum size above the maximum would leave out every picture; a maximum of 0 is no maximum.
TEST_F(DownSetTest, RefusesAMinimumAboveTheMaximum) {
    CDlgDownSet dialog(*settings_, SITE_YUPOO);
    dialog.show();
    Control<QLineEdit>(dialog, 1000)->setText("100");
    Control<QLineEdit>(dialog, 1001)->setText("50");
    Control<QPushButton>(dialog, 1023)->click();
    EXPECT_TRUE(dialog.isVisible());
    QMessageBox* notice = VisibleNotice(dialog);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->text(), QString::fromUtf16(u"参数错误"));
    EXPECT_EQ(notice->informativeText(), QString::fromUtf16(u"图片最小值(K)不能大于图片最大值(K)"));
    QLineEdit* minimum = Control<QLineEdit>(dialog, 1000);
    EXPECT_EQ(minimum->selectedText(), "100");
    notice->close();
    EXPECT_EQ(settings_->siteSettings[SITE_YUPOO].download.minPictureKB, 20);
    EXPECT_EQ(settings_->siteSettings[SITE_YUPOO].download.maxPictureKB, 900);
    EXPECT_FALSE(Saved());

    Control<QLineEdit>(dialog, 1001)->setText("0");
    Control<QPushButton>(dialog, 1023)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings_->siteSettings[SITE_YUPOO].download.minPictureKB, 100);
    EXPECT_EQ(settings_->siteSettings[SITE_YUPOO].download.maxPictureKB, 0);
}

using SaveSetTest = SettingsDialogTest;

TEST_F(SaveSetTest, StoresEachFieldCutTo38CharactersAndTheChoices) {
    NamingSettings& naming = settings_->siteSettings[SITE_YUPOO].naming;
    naming.filePrefix = u"old";
    naming.options = OPT_FIX_ORDER | OPT_YUPOO_LARGE;
    CDlgSaveSet dialog(*settings_, SITE_YUPOO);
    dialog.show();
    EXPECT_EQ(Control<QLineEdit>(dialog, 1000)->text(), "old");
    EXPECT_TRUE(Control<QRadioButton>(dialog, 1016)->isChecked());
    EXPECT_TRUE(Control<QRadioButton>(dialog, 1019)->isChecked());

    const int ids[] = {1000, 1001, 1021, 1022, 1002, 1003};
    QString fifty;
    for (int i = 0; i < 50; ++i) {
        fifty += QChar(u'a' + i % 26);
    }
    int n = 0;
    for (int id : ids) {
        // Distinct texts, so a field stored into the wrong place shows.
        Control<QLineEdit>(dialog, id)->setText(QString::number(n++) + fifty);
    }
    Control<QRadioButton>(dialog, 1018)->click();
    Control<QRadioButton>(dialog, 1020)->click();
    Control<QPushButton>(dialog, 1023)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    auto expected = [&](int index) { return (QString::number(index) + fifty).left(38).toStdU16String(); };
    for (const NamingSettings& stored : {naming, SavedSlot(SITE_YUPOO).naming}) {
        EXPECT_EQ(stored.filePrefix, expected(0));
        EXPECT_EQ(stored.fileSuffix, expected(1));
        EXPECT_EQ(stored.replaceFrom, expected(2));
        EXPECT_EQ(stored.replaceTo, expected(3));
        EXPECT_EQ(stored.folderPrefix, expected(4));
        EXPECT_EQ(stored.folderSuffix, expected(5));
        EXPECT_EQ(stored.baseName, BASE_URL);
        EXPECT_EQ(stored.folderNaming, FOLDER_NONE);
        EXPECT_EQ(stored.options, OPT_FIX_ORDER | OPT_YUPOO_LARGE);
    }
}

TEST_F(SaveSetTest, CancelChangesNothing) {
    CDlgSaveSet dialog(*settings_, SITE_YUPOO);
    dialog.show();
    Control<QLineEdit>(dialog, 1001)->setText("_new");
    Control<QRadioButton>(dialog, 1017)->click();
    Control<QPushButton>(dialog, 2)->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(settings_->siteSettings[SITE_YUPOO].naming.fileSuffix.empty());
    EXPECT_EQ(settings_->siteSettings[SITE_YUPOO].naming.baseName, BASE_DESCRIPTION);
    EXPECT_FALSE(Saved());
}

TEST_F(SaveSetTest, LinkShowsTheHelpText) {
    CDlgSaveSet dialog(*settings_, SITE_YUPOO);
    dialog.show();
    QLabel* link = Control<QLabel>(dialog, 1010);
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(link->text().contains(QString::fromUtf16(u"前后缀说明")));
    emit link->linkActivated(QStringLiteral("help"));
    QMessageBox* notice = VisibleNotice(dialog);
    ASSERT_NE(notice, nullptr);
    const char16_t* parts[] = {
        u"设置前后缀，可以在图片本来的文件名前后加上指定的字符\n如：图片本来的文件名为：zmw42."
        u"jpg，如果前缀为空，"
        u"后缀为_com\n则最后图片名将变为zmw42_com.jpg\n",
        u"如果前缀为www_，后缀为_com\n则最后图片名将变为www_zmw42_com.jpg\n",
        u"相册名那里前后缀一样\n同时，支持转义字符，当前后缀中含有转义字符时，程序会将转义字符转换为转义字符"
        u"所表示"
        u"的字符串\n",
        u"转义字符如下（问号为英文的问号，相册名的转义字符只支持?1,?3,?9）：\n",
        u"?1:相册名称\n?2:图片在相册中的序号\n?3:相册在列表中的序号(格式为：1,2,3...)\n?4:未定义\n?5:"
        u"未定义\n?6:"
        u"选中的相册数\n?7:总共的相册数(选中的+未选中的)\n?9:相册在列表中的序号(格式为：0001,0002,0003...)",
    };
    QString expected;
    for (const char16_t* part : parts) {
        expected += QString::fromUtf16(part);
    }
    EXPECT_EQ(notice->text(), expected);
    // The notice leaves the dialog open.
    EXPECT_TRUE(dialog.isVisible());
    notice->close();
}

// The input box with three history entries, the last one carrying a hidden tail.
class ComboTest : public ::testing::Test {
protected:
    void SetUp() override {
        combo_.SetHistory(
            {u"http://Photo.Example.com/a", u"D:/Pictures/Cats", u"http://b.net/xzmw?!oxffhidden"});
        combo_.resize(400, 30);
        combo_.show();
        combo_.activateWindow();
        combo_.setFocus();
    }

    QLineEdit* Edit() { return combo_.lineEdit(); }

    CComboBox2 combo_;
};

TEST_F(ComboTest, TypingListsTheItemsContainingTheTextAndKeepsTheEdit) {
    struct Step {
        const char* keys;
        QStringList suggestions;
    };
    const Step steps[] = {
        {"PIC", {"D:/Pictures/Cats"}},
        {"tures", {"D:/Pictures/Cats"}},
        {"x", {}},
    };
    QString typed;
    for (const Step& step : steps) {
        QTest::keyClicks(Edit(), step.keys);
        typed += step.keys;
        EXPECT_EQ(combo_.Suggestions(), step.suggestions) << step.keys;
        EXPECT_EQ(combo_.SuggestionsShown(), !step.suggestions.isEmpty()) << step.keys;
        EXPECT_EQ(Edit()->text(), typed);
        EXPECT_EQ(Edit()->cursorPosition(), typed.size());
    }
    // Emptying the edit closes the list.
    Edit()->selectAll();
    QTest::keyClick(Edit(), Qt::Key_Backspace);
    EXPECT_FALSE(combo_.SuggestionsShown());
}

TEST_F(ComboTest, TypingInTheMiddleKeepsTheCursorThere) {
    QTest::keyClicks(Edit(), "htp");
    Edit()->setCursorPosition(2);
    QTest::keyClicks(Edit(), "t");
    EXPECT_EQ(Edit()->text(), "http");
    EXPECT_EQ(Edit()->cursorPosition(), 3);
    // Matched on the whole item, shown up to the separator.
    EXPECT_EQ(combo_.Suggestions(), QStringList({"http://Photo.Example.com/a", "http://b.net/x"}));
}

TEST_F(ComboTest, AddingHistoryKeepsTheEditTextAndSelection) {
    CComboBox2 empty;
    empty.setEditText("typed by hand");
    empty.lineEdit()->setSelection(6, 2);
    empty.AddHistoryItem(u"first entry");
    EXPECT_EQ(empty.currentText(), "typed by hand");
    EXPECT_EQ(empty.lineEdit()->selectedText(), "by");
    EXPECT_EQ(empty.count(), 1);
}

TEST_F(ComboTest, OpeningTheListShowsEveryItemAndKeepsTheText) {
    QTest::keyClicks(Edit(), "cats");
    combo_.showPopup();
    EXPECT_FALSE(combo_.SuggestionsShown());
    ASSERT_EQ(combo_.count(), 3);
    EXPECT_EQ(combo_.itemText(0), "http://Photo.Example.com/a");
    EXPECT_EQ(combo_.itemText(2), "http://b.net/x");
    EXPECT_EQ(Edit()->text(), "cats");
    // Cancelling the list keeps the text.
    combo_.hidePopup();
    EXPECT_EQ(Edit()->text(), "cats");
}

TEST_F(ComboTest, AChoiceFromEitherListIsPassedOn) {
    QSignalSpy chosen(&combo_, &CComboBox2::SelectionChanged);
    // From the list under the edit.
    QTest::keyClicks(Edit(), "example");
    ASSERT_TRUE(combo_.SuggestionsShown());
    auto* list = combo_.findChild<QAbstractItemView*>("suggestions");
    ASSERT_NE(list, nullptr);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(0, 0)).center());
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toString(), "http://Photo.Example.com/a");
    EXPECT_EQ(Edit()->text(), "http://Photo.Example.com/a");
    EXPECT_FALSE(combo_.SuggestionsShown());

    // From the drop-down.
    combo_.showPopup();
    QAbstractItemView* view = combo_.view();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(1, 0)).center());
    ASSERT_EQ(chosen.count(), 2);
    EXPECT_EQ(chosen.at(1).at(0).toString(), "D:/Pictures/Cats");
    EXPECT_EQ(Edit()->text(), "D:/Pictures/Cats");
}

}  // namespace
