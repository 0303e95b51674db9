// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QBuffer>
#include <QColor>
#include <QHeaderView>
#include <QImage>
#include <QTest>
#include <QTextLayout>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "GridCtrl_src/GridData.h"
#include "GridCtrl_src/qt/CGridCtrl.h"
#include "GridCtrl_src/qt/GridCellDelegate.h"
#include "GridCtrl_src/qt/GridModel.h"
#include "platform/FileSystem.h"
#include "support/TempDir.h"
#include "ui/CThumbnailList.h"

namespace {

// A picture of the given size, red on the left half (the top half when it is taller than wide)
// and blue on the other, in the given format.
std::string TwoColourPicture(const char* format, int width = 300, int height = 200) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (width >= height ? x >= width / 2 : y >= height / 2) {
                image.setPixel(x, y, qRgb(0, 0, 255));
            }
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toStdString();
}

bool Near(QColor color, QColor expected) {
    return std::abs(color.red() - expected.red()) < 40 && std::abs(color.green() - expected.green()) < 40 &&
           std::abs(color.blue() - expected.blue()) < 40;
}

bool Clear(const QImage& image, int x, int y) {
    return image.pixelColor(x, y).alpha() == 0;
}

TEST(ThumbnailList, CoversOfEveryFormatKeepTheirShapeInsideTheThumbnail) {
    TempDir dir;
    CThumbnailList list;
    int expectedIndex = 0;
    // The cover file is always called ".jpg"; its content decides how it is read.
    for (const char* format : {"PNG", "JPEG", "WEBP", "BMP"}) {
        const std::u16string file = dir.Path() + u"cover.jpg";
        ASSERT_TRUE(FileSystem::WriteFileAtomic(file, TwoColourPicture(format))) << format;
        ASSERT_EQ(list.AddFromFile(file), expectedIndex++) << format;
        QImage thumbnail = list.Image(expectedIndex - 1);
        EXPECT_EQ(thumbnail.size(), QSize(113, 120)) << format;
        // 300 x 200 fits as 113 x 75, centred: clear bands above and below, both halves whole.
        for (int y : {30, 60, 90}) {
            EXPECT_TRUE(Near(thumbnail.pixelColor(3, y), Qt::red)) << format << " y " << y;
            EXPECT_TRUE(Near(thumbnail.pixelColor(109, y), Qt::blue)) << format << " y " << y;
        }
        for (int y : {0, 20, 99, 119}) {
            EXPECT_TRUE(Clear(thumbnail, 56, y)) << format << " y " << y;
        }
    }
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Count(), 4);

    ASSERT_TRUE(FileSystem::WriteFileAtomic(dir.Path() + u"page.jpg", "<html>not found</html>"));
    EXPECT_EQ(list.AddFromFile(dir.Path() + u"page.jpg"), -1);
    EXPECT_EQ(list.AddFromFile(dir.Path() + u"missing.jpg"), -1);
    EXPECT_TRUE(list.Image(4).isNull());
    EXPECT_TRUE(list.Image(-1).isNull());

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(list.Image(0).isNull());
}

TEST(ThumbnailList, AWideAndATallCoverKeepTheirAspect) {
    TempDir dir;
    CThumbnailList list;
    struct Case {
        int width;
        int height;
        QRect picture;  // where the cover lands inside 113 x 120
    } cases[] = {
        {600, 100, QRect(0, 51, 113, 19)},  // a panorama: a band across the middle
        {100, 300, QRect(37, 0, 40, 120)},  // a portrait: a column down the middle
        {50, 60, QRect(6, 0, 100, 120)},    // a small cover grows to fit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        const std::u16string file = dir.Path() + u"cover.jpg";
        ASSERT_TRUE(FileSystem::WriteFileAtomic(file, TwoColourPicture("PNG", c.width, c.height)));
        const QImage thumbnail = list.Image(list.AddFromFile(file));
        ASSERT_EQ(thumbnail.size(), QSize(113, 120));
        QRect drawn;
        for (int y = 0; y < 120; ++y) {
            for (int x = 0; x < 113; ++x) {
                if (!Clear(thumbnail, x, y)) {
                    drawn |= QRect(x, y, 1, 1);
                }
            }
        }
        EXPECT_LE(std::abs(drawn.left() - c.picture.left()), 1);
        EXPECT_LE(std::abs(drawn.top() - c.picture.top()), 1);
        EXPECT_LE(std::abs(drawn.width() - c.picture.width()), 1);
        EXPECT_LE(std::abs(drawn.height() - c.picture.height()), 1);
        // Not stretched: the ratio of the drawn part is the cover's.
        const double ratio = (double(drawn.width()) / drawn.height()) / (double(c.width) / c.height);
        EXPECT_NEAR(ratio, 1.0, 0.08);
    }
}

// The row layout: a fixed header row and six columns, two of them of width 0.
void RowLayout(GridData& data) {
    data.Reset(1, 6, 1, 0);
    const std::vector<std::u16string> headers = {u"序号", u"名称", u"数量", u"备注", u"", u""};
    const std::vector<int> widths = {50, 575, 50, 100, 0, 0};
    for (int column = 0; column < 6; ++column) {
        data.SetCellText(0, column, headers[column]);
        data.SetColumnWidth(column, widths[column]);
    }
    data.SetListMode(true);
}

std::vector<GridCell> AlbumRow(const std::u16string& number, const std::u16string& name) {
    std::vector<GridCell> cells(6);
    cells[0].text = number;
    cells[1].text = name;
    return cells;
}

class GridCtrlTest : public ::testing::Test {
protected:
    void SetUp() override {
        RowLayout(data);
        view = std::make_unique<CGridCtrl>(data);
        view->resize(900, 400);
        view->show();
        QApplication::processEvents();
    }

    QPoint CellCentre(int modelRow, int column) const {
        return view->visualRect(view->Model().index(modelRow, column)).center();
    }

    std::vector<int> SelectedDataRows() const {
        std::vector<int> rows;
        for (const GridCellId& cell : data.SelectedCells()) {
            if (rows.empty() || rows.back() != cell.row) {
                rows.push_back(cell.row);
            }
        }
        return rows;
    }

    GridData data;
    std::unique_ptr<CGridCtrl> view;
};

TEST_F(GridCtrlTest, HeaderRowColumnWidthsAndRowHeightsComeFromTheData) {
    data.AppendRow(AlbumRow(u"0001", u"Summer"));
    data.AppendRow(AlbumRow(u"0002", u"Winter"), 40);
    view->Sync();
    GridModel& model = view->Model();
    ASSERT_EQ(model.rowCount(), 2);  // the fixed row is the header, not a row
    EXPECT_EQ(model.columnCount(), 6);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("名称"));
    EXPECT_EQ(model.data(model.index(1, 1)).toString(), QStringLiteral("Winter"));
    EXPECT_TRUE(view->horizontalHeader()->isVisible());
    EXPECT_EQ(view->columnWidth(0), 50);
    EXPECT_EQ(view->columnWidth(1), 575);
    EXPECT_TRUE(view->isColumnHidden(4));
    EXPECT_TRUE(view->isColumnHidden(5));
    EXPECT_EQ(view->rowHeight(0), GridData::DEFAULT_ROW_HEIGHT);
    EXPECT_EQ(view->rowHeight(1), 40);
    EXPECT_EQ(view->selectionBehavior(), QAbstractItemView::SelectRows);

    // A changed cell and row height reach the view.
    data.SetCellText(2, 1, u"Spring");
    data.SetRowHeight(2, 30);
    view->Sync();
    EXPECT_EQ(model.data(model.index(1, 1)).toString(), QStringLiteral("Spring"));
    EXPECT_EQ(view->rowHeight(1), 30);

    // The thumbnail shape: no header, single cells selected.
    data.Reset(0, 6, 0, 0);
    data.SetColumnWidth(0, 117);
    view->Sync();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_FALSE(view->horizontalHeader()->isVisible());
    EXPECT_EQ(view->selectionBehavior(), QAbstractItemView::SelectItems);
}

TEST_F(GridCtrlTest, RowsAddedOnAnotherThreadAreAnnouncedBeforeTheViewSeesThem) {
    int modelFailures = 0;
    static int* failures = nullptr;
    failures = &modelFailures;
    QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString&) {
            if (type != QtDebugMsg && context.category != nullptr &&
                QByteArray(context.category) == "qt.modeltest") {
                ++*failures;
            }
        });
    {
        QAbstractItemModelTester tester(&view->Model(),
                                        QAbstractItemModelTester::FailureReportingMode::Warning);
        std::atomic<bool> done{false};
        std::thread writer([&] {
            for (int i = 0; i < 600; ++i) {
                if (i % 150 == 0) {
                    RowLayout(data);  // a new album list empties the grid meanwhile
                }
                data.AppendRow(AlbumRow(u"n", std::u16string(1, static_cast<char16_t>(u'a' + i % 26))));
            }
            done = true;
        });
        while (!done) {
            QApplication::processEvents();
            // Reading what the view may ask for never fails, even for rows the data lost.
            for (int row = 0; row < view->Model().rowCount(); row += 37) {
                view->Model().data(view->Model().index(row, 1));
            }
        }
        writer.join();
        QApplication::processEvents();
        view->Sync();
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(modelFailures, 0);
    EXPECT_EQ(view->Model().rowCount(), 150);
    EXPECT_EQ(view->Model().data(view->Model().index(149, 1)).toString(), QStringLiteral("b"));
}

TEST_F(GridCtrlTest, SelectionIsKeptInTheDataBothWays) {
    for (int i = 1; i <= 5; ++i) {
        data.AppendRow(AlbumRow(u"000" + std::u16string(1, static_cast<char16_t>(u'0' + i)), u"album"));
    }
    view->Sync();
    QWidget* viewport = view->viewport();

    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, CellCentre(1, 1));
    EXPECT_EQ(SelectedDataRows(), std::vector<int>({2}));
    EXPECT_EQ(data.SelectedCells().size(), 6u);  // the whole row
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, CellCentre(3, 2));
    EXPECT_EQ(SelectedDataRows(), std::vector<int>({2, 3, 4}));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, CellCentre(2, 0));
    EXPECT_EQ(SelectedDataRows(), std::vector<int>({2, 4}));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, CellCentre(4, 0));
    EXPECT_EQ(SelectedDataRows(), std::vector<int>({2, 4, 5}));
    EXPECT_EQ(data.FocusCell(), (GridCellId{5, 0}));

    // What others put into the data shows in the view.
    data.ClearSelection();
    data.SelectRows(1, 1);
    data.SetFocusCell({});
    view->Sync();
    QModelIndexList rows = view->selectionModel()->selectedRows();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.front().row(), 0);
    EXPECT_FALSE(view->selectionModel()->currentIndex().isValid());

    // Without list mode single cells are selected.
    data.SetListMode(false);
    view->Sync();
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, CellCentre(0, 2));
    ASSERT_EQ(data.SelectedCells().size(), 1u);
    EXPECT_EQ(data.SelectedCells().front(), (GridCellId{1, 2}));
}

TEST_F(GridCtrlTest, ImageAboveTextCellsDrawTheImageOverTheText) {
    QImage red(113, 120, QImage::Format_RGB32);
    red.fill(Qt::red);
    view->SetImageSource([&](int index) { return index == 0 ? red : QImage(); }, red.size());
    data.Reset(0, 6, 0, 0);
    for (int column = 0; column < 6; ++column) {
        data.SetColumnWidth(column, 113 + 2 * GridData::DEFAULT_CELL_MARGIN);
    }
    data.AppendRow({}, 130);
    GridCell withImage;
    withImage.image = 0;
    withImage.imageAboveText = true;
    withImage.text = u"1.Summer";
    GridCell textOnly = withImage;
    textOnly.image = -1;
    textOnly.text = u"2.Winter";
    data.SetCell(0, 0, withImage);
    data.SetCell(0, 1, textOnly);
    view->Sync();
    QApplication::processEvents();

    // Tall enough for the picture and two lines of caption under it, measured with the Chinese
    // letters that the caption's font borrows from another font.
    QTextLayout line(QStringLiteral("相册Agy"), view->font());
    line.beginLayout();
    const QTextLine laidOut = line.createLine();
    line.endLayout();
    EXPECT_GE(view->rowHeight(0), 130);
    EXPECT_GE(view->rowHeight(0), 120 + 2 * GridData::DEFAULT_CELL_MARGIN + 2 * int(laidOut.height()));
    QImage shot = view->viewport()->grab().toImage();
    const QRect first = view->visualRect(view->Model().index(0, 0));
    const QRect second = view->visualRect(view->Model().index(0, 1));
    const int margin = GridData::DEFAULT_CELL_MARGIN;
    EXPECT_TRUE(Near(shot.pixelColor(first.left() + margin + 5, first.top() + margin + 5), Qt::red));
    EXPECT_TRUE(Near(shot.pixelColor(first.left() + margin + 100, first.top() + margin + 110), Qt::red));
    EXPECT_FALSE(Near(shot.pixelColor(second.left() + margin + 50, second.top() + margin + 50), Qt::red));
    // The text is below the picture: the band under it is not all background.
    bool textDrawn = false;
    for (int y = first.top() + margin + 120; y < first.bottom(); ++y) {
        for (int x = first.left() + margin; x < first.left() + 60; ++x) {
            textDrawn = textDrawn || shot.pixelColor(x, y).lightness() < 128;
        }
    }
    EXPECT_TRUE(textDrawn);
    // The second cell has no picture: a placeholder stands in its place, not an empty space.
    bool placeholder = false;
    for (int y = second.top() + margin; y < second.top() + margin + 120; ++y) {
        placeholder =
            placeholder || shot.pixelColor(second.left() + 56, y) != shot.pixelColor(second.left() + 3, y);
    }
    EXPECT_TRUE(placeholder);
    // The places after the last album are no cells: nothing can select them and nothing is drawn.
    const QModelIndex empty = view->Model().index(0, 4);
    EXPECT_EQ(view->Model().flags(empty), Qt::NoItemFlags);
    const QRect place = view->visualRect(empty);
    const QColor ground = shot.pixelColor(place.center());
    bool drawn = false;
    for (int x = place.left(); x <= place.right(); ++x) {
        for (int y : {place.top(), place.center().y(), place.bottom()}) {
            drawn = drawn || shot.pixelColor(x, y) != ground;
        }
    }
    EXPECT_FALSE(drawn);
}

TEST(GridCellDelegate, CaptionsBreakIntoTwoLinesAndTheLastIsElided) {
    QFont font = QApplication::font();
    const int width = 113;
    const QStringList one = GridCellDelegate::CaptionLines(QStringLiteral("1.春节"), font, width, 2);
    EXPECT_EQ(one, QStringList({QStringLiteral("1.春节")}));
    const QString longName = QStringLiteral("12.毕业旅行·厦门鼓浪屿环岛路骑行和曾厝垵小吃街一日游");
    const QStringList two = GridCellDelegate::CaptionLines(longName, font, width, 2);
    ASSERT_EQ(two.size(), 2);
    EXPECT_TRUE(longName.startsWith(two[0]));
    EXPECT_TRUE(two[1].endsWith(QChar(0x2026)));
    const QFontMetrics metrics(font);
    for (const QString& line : two) {
        EXPECT_LE(metrics.horizontalAdvance(line), width) << line.toStdString();
    }
    // A name that fits in two lines is shown whole.
    const QString fits = QStringLiteral("9.Summer in Kyoto");
    EXPECT_EQ(GridCellDelegate::CaptionLines(fits, font, width, 2).join(QString()).remove(' '),
              QString(fits).remove(' '));
}

}  // namespace
