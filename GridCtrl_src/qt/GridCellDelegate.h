#pragma once

#include <functional>

#include <QImage>
#include <QSize>
#include <QStyledItemDelegate>

// Draws a grid cell: the selection background, the cell's image from the grid's image list, and
// its one line of text, elided when the column is too narrow (the full text then shows as a tip).
// An image-above-text cell has its image at the top left inside the margin and the text below the
// image's place; other cells have the image at the left and the text beside it.
class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using ImageSource = std::function<QImage(int index)>;

    explicit GridCellDelegate(QObject* parent = nullptr);

    // The image list: every image is imageSize; source gives image index (null when absent).
    void SetImageSource(ImageSource source, QSize imageSize);
    QSize ImageSize() const { return imageSize_; }

    // The height an image-above-text row needs for the image, one text line and the margins.
    int ImageAboveTextHeight(const QFontMetrics& metrics) const;

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
    Layout LayOut(const QRect& cell, const QModelIndex& index) const;

    ImageSource source_;
    QSize imageSize_;
};
