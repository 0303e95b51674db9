// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AppArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace AppArt {

namespace {

// A framed photo: sky, sun and two hills, on a rounded blue tile.
void DrawIcon(QPainter& painter, const QRectF& box) {
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = box.width();
    QLinearGradient tile(box.topLeft(), box.bottomRight());
    tile.setColorAt(0, QColor(0x3A, 0x8D, 0xDE));
    tile.setColorAt(1, QColor(0x1D, 0x5F, 0xA8));
    painter.setPen(Qt::NoPen);
    painter.setBrush(tile);
    painter.drawRoundedRect(box, s * 0.18, s * 0.18);

    QRectF photo = box.adjusted(s * 0.17, s * 0.22, -s * 0.17, -s * 0.22);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(photo, s * 0.04, s * 0.04);
    QRectF sky = photo.adjusted(s * 0.05, s * 0.05, -s * 0.05, -s * 0.05);
    painter.setBrush(QColor(0xCF, 0xE8, 0xFF));
    painter.drawRect(sky);
    painter.setBrush(QColor(0xFF, 0xB3, 0x2E));
    painter.drawEllipse(QPointF(sky.right() - sky.width() * 0.25, sky.top() + sky.height() * 0.3),
                        sky.height() * 0.15, sky.height() * 0.15);
    QPainterPath hills;
    hills.moveTo(sky.bottomLeft());
    hills.lineTo(sky.left() + sky.width() * 0.35, sky.top() + sky.height() * 0.4);
    hills.lineTo(sky.left() + sky.width() * 0.6, sky.top() + sky.height() * 0.75);
    hills.lineTo(sky.left() + sky.width() * 0.75, sky.top() + sky.height() * 0.55);
    hills.lineTo(sky.bottomRight());
    hills.closeSubpath();
    painter.setBrush(QColor(0x3C, 0xA5, 0x5C));
    painter.drawPath(hills);
}

}  // namespace

QImage IconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    DrawIcon(painter, QRectF(0, 0, size, size));
    return image;
}

QPixmap IconPixmap(int size) {
    return QPixmap::fromImage(IconImage(size));
}

QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        icon.addPixmap(IconPixmap(size));
    }
    return icon;
}

QPixmap SplashBackground(QSize size) {
    QPixmap pixmap(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0x1D, 0x5F, 0xA8));
    sky.setColorAt(1, QColor(0x0E, 0x2E, 0x55));
    painter.fillRect(pixmap.rect(), sky);
    const int icon = size.height() / 4;
    DrawIcon(painter, QRectF(size.width() - icon - 16, size.height() - icon - 16, icon, icon));
    return pixmap;
}

}  // namespace AppArt
