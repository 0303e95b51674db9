// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QFont>
#include <QHash>
#include <QImage>
#include <QSize>
#include <QStyledItemDelegate>

// Draws a grid cell: the selection background, the cell's image from the grid's image list, and
// its text, elided when the column is too narrow (the full text then shows as a tip). Every line
// of text stands on one baseline, wherever its letters come from: Chinese names are drawn from a
// fallback font whose ascent differs from the widget font's, and a line laid out by itself would
// sit lower or higher than a Latin one beside it.
//
// An image-above-text cell has its image at the top left inside the margin and up to two lines of
// caption below the image's place; a cell without an image shows a placeholder there. It is
// framed, since the grid draws no lines between such cells. Other cells have the image at the left
// and one line of text beside it. A marked cell (the album being downloaded) stands out in amber,
// selected or not. A cell the model says is no cell (an empty place after the last
// thumbnail) is not drawn.
class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using ImageSource = std::function<QImage(int index)>;

    // Lines of caption under an image.
    static constexpr int CAPTION_LINES = 2;

    explicit GridCellDelegate(QObject* parent = nullptr);

    // The image list: every image is imageSize; source gives image index (null when absent).
    void SetImageSource(ImageSource source, QSize imageSize);
    QSize ImageSize() const { return imageSize_; }

    // The height an image-above-text row needs for the image, its caption lines and the margins.
    int ImageAboveTextHeight(const QFont& font) const;

    // The caption lines of text in a place width pixels wide: broken where the text fits, the last
    // line elided when the text needs more lines than there are.
    static QStringList CaptionLines(const QString& text, const QFont& font, int width, int maxLines);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

private:
    struct Layout {
        QRect image;  // empty when the cell has no image place
        QRect text;
    };
    // A line of text as it is drawn: the distance from its top to the baseline, and its height.
    struct LineMetrics {
        int ascent = 0;
        int height = 0;
    };
    LineMetrics Metrics(const QFont& font) const;
    Layout LayOut(const QRect& cell, const QModelIndex& index, const QFont& font) const;
    void DrawPlaceholder(QPainter* painter, const QRect& place, const QPalette& palette) const;

    ImageSource source_;
    QSize imageSize_;
    mutable QHash<QString, LineMetrics> metrics_;  // by QFont::key()
};
