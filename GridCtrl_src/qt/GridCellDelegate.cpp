// SPDX-License-Identifier: GPL-3.0-or-later
#include "GridCtrl_src/qt/GridCellDelegate.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QTextLayout>
#include <QToolTip>

#include "GridCtrl_src/GridData.h"
#include "GridCtrl_src/qt/GridModel.h"

namespace {

constexpr int kMargin = GridData::DEFAULT_CELL_MARGIN;
// Between a thumbnail and its caption.
constexpr int kCaptionGap = 2;

QString CellText(const QModelIndex& index) {
    return index.data(Qt::DisplayRole).toString();
}

bool IsImageAboveText(const QModelIndex& index) {
    return index.data(GridModel::ImageAboveTextRole).toBool();
}

}  // namespace

GridCellDelegate::GridCellDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void GridCellDelegate::SetImageSource(ImageSource source, QSize imageSize) {
    source_ = std::move(source);
    imageSize_ = imageSize;
}

GridCellDelegate::LineMetrics GridCellDelegate::Metrics(const QFont& font) const {
    const QString key = font.key();
    auto found = metrics_.constFind(key);
    if (found != metrics_.constEnd()) {
        return *found;
    }
    // Laid out with Chinese and Latin letters together, the line takes the tallest ascent and
    // descent of the fonts that draw them; every line is then placed as this one.
    QTextLayout layout(QStringLiteral("相册Agy"), font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    LineMetrics metrics;
    metrics.ascent = static_cast<int>(std::ceil(line.ascent()));
    metrics.height = metrics.ascent + static_cast<int>(std::ceil(line.descent())) + 1;
    metrics_.insert(key, metrics);
    return metrics;
}

int GridCellDelegate::ImageAboveTextHeight(const QFont& font) const {
    return imageSize_.height() + kCaptionGap + CAPTION_LINES * Metrics(font).height + 2 * kMargin;
}

QStringList GridCellDelegate::CaptionLines(const QString& text, const QFont& font, int width, int maxLines) {
    QStringList lines;
    if (text.isEmpty() || width <= 0 || maxLines <= 0) {
        return lines;
    }
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    int start = 0;
    while (start < text.size()) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) {
            break;
        }
        line.setLineWidth(width);
        if (lines.size() == maxLines - 1) {
            // The last line holds the rest, elided if it does not fit.
            const QFontMetrics metrics(font);
            lines << metrics.elidedText(text.mid(start), Qt::ElideRight, width);
            start = static_cast<int>(text.size());
            break;
        }
        const int length = std::max(line.textLength(), 1);
        lines << text.mid(start, length).trimmed();
        start += length;
    }
    layout.endLayout();
    return lines;
}

GridCellDelegate::Layout GridCellDelegate::LayOut(const QRect& cell, const QModelIndex& index,
                                                  const QFont& font) const {
    QRect inner = cell.adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const bool hasImage = index.data(GridModel::ImageRole).toInt() >= 0 && imageSize_.isValid();
    Layout layout;
    if (IsImageAboveText(index)) {
        // The image's place is kept even without an image, so the captions of a row line up.
        layout.image = QRect(inner.topLeft(), imageSize_);
        layout.text = QRect(inner.left(), inner.top() + imageSize_.height() + kCaptionGap, inner.width(),
                            CAPTION_LINES * Metrics(font).height);
    } else if (hasImage) {
        layout.image = QRect(QPoint(inner.left(), inner.center().y() - imageSize_.height() / 2), imageSize_);
        layout.text = inner.adjusted(imageSize_.width() + kMargin, 0, 0, 0);
    } else {
        layout.text = inner;
    }
    return layout;
}

void GridCellDelegate::DrawPlaceholder(QPainter* painter, const QRect& place, const QPalette& palette) const {
    // A picture frame with hills and a sun, for an album without a cover or whose cover failed.
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(0xEE, 0xEF, 0xF1));
    painter->drawRect(place);
    const QColor ink(0xB4, 0xB8, 0xBF);
    const QRect icon(place.center().x() - 22, place.center().y() - 24, 44, 34);
    painter->setPen(QPen(ink, 2));
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(icon, 3, 3);
    painter->setBrush(ink);
    painter->setPen(Qt::NoPen);
    painter->drawEllipse(QPointF(icon.right() - 11, icon.top() + 10), 4, 4);
    painter->drawPolygon(QPolygonF(
        {QPointF(icon.left() + 3, icon.bottom() - 2), QPointF(icon.left() + 16, icon.top() + 14),
         QPointF(icon.left() + 26, icon.bottom() - 10), QPointF(icon.left() + 32, icon.bottom() - 16),
         QPointF(icon.right() - 2, icon.bottom() - 2)}));
    QFont small = painter->font();
    small.setPointSizeF(std::max(small.pointSizeF() - 1.0, 7.0));
    small.setBold(false);
    painter->setFont(small);
    painter->setPen(palette.color(QPalette::Disabled, QPalette::Text));
    painter->drawText(QRect(place.left(), icon.bottom() + 6, place.width(), 20),
                      Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("无封面"));
    painter->setRenderHint(QPainter::Antialiasing, false);
}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    // An empty place after the last thumbnail is no cell: nothing to draw, not even a frame.
    if (!(index.flags() & Qt::ItemIsSelectable)) {
        return;
    }
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    const QFont font = background.font;
    background.text.clear();
    background.icon = QIcon();
    background.features &= ~QStyleOptionViewItem::HasDisplay;
    background.state &= ~QStyle::State_HasFocus;
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);
    const bool selected = option.state & QStyle::State_Selected;
    const bool marked = index.data(GridModel::MarkedRole).toBool();
    if (marked) {
        // Seen whether or not it is selected: amber, or a deep orange among selected rows.
        painter->fillRect(option.rect, selected ? QColor(0xD9, 0x6A, 0x0B) : QColor(0xFF, 0xE0, 0x8A));
    }

    const bool above = IsImageAboveText(index);
    const Layout layout = LayOut(option.rect, index, font);
    painter->save();
    painter->setClipRect(option.rect);
    if (above) {
        QColor frame = option.palette.color(QPalette::Mid);
        frame.setAlpha(110);
        painter->setPen(frame);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    }
    const int imageIndex = index.data(GridModel::ImageRole).toInt();
    QImage image = imageIndex >= 0 && source_ ? source_(imageIndex) : QImage();
    if (!layout.image.isEmpty()) {
        if (!image.isNull()) {
            painter->drawImage(layout.image, image);
        } else if (above) {
            DrawPlaceholder(painter, layout.image, option.palette);
        }
    }
    const QPalette::ColorGroup group =
        option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
    painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(font);
    const LineMetrics metrics = Metrics(font);
    const QString text = CellText(index);
    if (above) {
        int baseline = layout.text.top() + metrics.ascent;
        for (const QString& line : CaptionLines(text, font, layout.text.width(), CAPTION_LINES)) {
            painter->drawText(QPointF(layout.text.left(), baseline), line);
            baseline += metrics.height;
        }
    } else {
        const QFontMetrics fontMetrics(font);
        const QString shown = fontMetrics.elidedText(text, Qt::ElideRight, layout.text.width());
        const int top = layout.text.top() + (layout.text.height() - metrics.height) / 2;
        const Qt::Alignment alignment =
            QStyle::visualAlignment(option.direction, background.displayAlignment) & Qt::AlignHorizontal_Mask;
        int left = layout.text.left();
        if (alignment & Qt::AlignHCenter) {
            left += (layout.text.width() - fontMetrics.horizontalAdvance(shown)) / 2;
        } else if (alignment & Qt::AlignRight) {
            left = layout.text.right() + 1 - fontMetrics.horizontalAdvance(shown);
        }
        painter->drawText(QPointF(left, top + metrics.ascent), shown);
    }
    painter->restore();
}

QSize GridCellDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const int textWidth = option.fontMetrics.horizontalAdvance(CellText(index));
    const int lineHeight = Metrics(option.font).height;
    if (IsImageAboveText(index)) {
        return QSize(imageSize_.width() + 2 * kMargin, ImageAboveTextHeight(option.font));
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
    // A title tip only for a text that does not show whole in its cell.
    const QString text = CellText(index);
    const Layout layout = LayOut(option.rect, index, option.font);
    bool whole = option.fontMetrics.horizontalAdvance(text) <= layout.text.width();
    if (!whole && IsImageAboveText(index)) {
        const QStringList lines = CaptionLines(text, option.font, layout.text.width(), CAPTION_LINES);
        whole = lines.join(QString()).remove(QLatin1Char(' ')) == QString(text).remove(QLatin1Char(' '));
    }
    if (text.isEmpty() || whole) {
        QToolTip::hideText();
        return true;
    }
    QToolTip::showText(event->globalPos(), text, view, option.rect);
    return true;
}
