#include "GridCtrl_src/qt/GridCellDelegate.h"

#include <algorithm>
#include <utility>

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include "GridCtrl_src/GridData.h"
#include "GridCtrl_src/qt/GridModel.h"

namespace {

constexpr int kMargin = GridData::DEFAULT_CELL_MARGIN;

// A line of text as it is drawn: names are mostly Chinese, whose fallback font can stand taller
// than the widget font's own line.
int LineHeight(const QFontMetrics& metrics) {
    return std::max(metrics.height(), metrics.boundingRect(QStringLiteral("相册Agy")).height()) + 2;
}

QString CellText(const QModelIndex& index) {
    return index.data(Qt::DisplayRole).toString();
}

}  // namespace

GridCellDelegate::GridCellDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void GridCellDelegate::SetImageSource(ImageSource source, QSize imageSize) {
    source_ = std::move(source);
    imageSize_ = imageSize;
}

int GridCellDelegate::ImageAboveTextHeight(const QFontMetrics& metrics) const {
    return imageSize_.height() + LineHeight(metrics) + 2 * kMargin;
}

GridCellDelegate::Layout GridCellDelegate::LayOut(const QRect& cell, const QModelIndex& index) const {
    QRect inner = cell.adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const bool above = index.data(GridModel::ImageAboveTextRole).toBool();
    const bool hasImage = index.data(GridModel::ImageRole).toInt() >= 0 && imageSize_.isValid();
    Layout layout;
    if (above) {
        // The image's place is kept even without an image, so the names of a row line up.
        layout.image = QRect(inner.topLeft(), imageSize_);
        layout.text = inner.adjusted(0, imageSize_.height(), 0, 0);
    } else if (hasImage) {
        layout.image = QRect(QPoint(inner.left(), inner.center().y() - imageSize_.height() / 2), imageSize_);
        layout.text = inner.adjusted(imageSize_.width() + kMargin, 0, 0, 0);
    } else {
        layout.text = inner;
    }
    return layout;
}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    background.icon = QIcon();
    background.features &= ~QStyleOptionViewItem::HasDisplay;
    background.state &= ~QStyle::State_HasFocus;
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

    const Layout layout = LayOut(option.rect, index);
    painter->save();
    painter->setClipRect(option.rect);
    const int imageIndex = index.data(GridModel::ImageRole).toInt();
    QImage image = imageIndex >= 0 && source_ ? source_(imageIndex) : QImage();
    if (!layout.image.isEmpty()) {
        if (!image.isNull()) {
            painter->drawImage(layout.image, image);
        } else if (index.data(GridModel::ImageAboveTextRole).toBool()) {
            // No picture (a failed or missing cover): a faint frame where it would be.
            QColor frame = option.palette.color(QPalette::Mid);
            frame.setAlpha(90);
            painter->setPen(frame);
            painter->drawRect(layout.image.adjusted(0, 0, -1, -1));
        }
    }
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
    painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    const bool above = index.data(GridModel::ImageAboveTextRole).toBool();
    const Qt::Alignment alignment = Qt::AlignLeft | (above ? Qt::AlignTop : Qt::AlignVCenter);
    const QString text = option.fontMetrics.elidedText(CellText(index), Qt::ElideRight, layout.text.width());
    painter->drawText(layout.text, static_cast<int>(alignment | Qt::TextSingleLine), text);
    painter->restore();
}

QSize GridCellDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const int textWidth = option.fontMetrics.horizontalAdvance(CellText(index));
    const int lineHeight = LineHeight(option.fontMetrics);
    if (index.data(GridModel::ImageAboveTextRole).toBool()) {
        return QSize(std::max(imageSize_.width(), textWidth) + 2 * kMargin,
                     ImageAboveTextHeight(option.fontMetrics));
    }
    if (index.data(GridModel::ImageRole).toInt() >= 0 && imageSize_.isValid()) {
        return QSize(imageSize_.width() + kMargin + textWidth + 2 * kMargin,
                     std::max(imageSize_.height(), lineHeight) + 2 * kMargin);
    }
    return QSize(textWidth + 2 * kMargin, lineHeight + 2 * kMargin);
}

bool GridCellDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                 const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event == nullptr || event->type() != QEvent::ToolTip || !index.isValid()) {
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    }
    // A title tip only for a text that does not fit its cell.
    const QString text = CellText(index);
    const Layout layout = LayOut(option.rect, index);
    if (text.isEmpty() || option.fontMetrics.horizontalAdvance(text) <= layout.text.width()) {
        QToolTip::hideText();
        return true;
    }
    QToolTip::showText(event->globalPos(), text, view, option.rect);
    return true;
}
