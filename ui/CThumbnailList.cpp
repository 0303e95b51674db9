// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CThumbnailList.h"

#include <QByteArray>
#include <QColor>
#include <QImageReader>
#include <QPainter>
#include <QString>

#include "GridCtrl_src/AlbumView.h"

QSize CThumbnailList::ImageSize() {
    return QSize(THUMB_WIDTH, THUMB_HEIGHT);
}

int CThumbnailList::AddFromFile(const std::u16string& file) {
    QImageReader reader(QString::fromStdU16String(file));
    // The file is always called ".jpg"; the sites also answer PNG, GIF and WebP.
    reader.setDecideFormatFromContent(true);
    return Add(reader.read());
}

QImage CThumbnailList::Decode(const std::string& bytes) {
    return Fit(QImage::fromData(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()))));
}

int CThumbnailList::Add(const QImage& image) {
    return AddFitted(Fit(image));
}

int CThumbnailList::AddFitted(const QImage& thumbnail) {
    if (thumbnail.isNull()) {
        return -1;
    }
    std::lock_guard lock(mutex_);
    images_.push_back(thumbnail);
    return static_cast<int>(images_.size()) - 1;
}

QImage CThumbnailList::Fit(const QImage& image) {
    if (image.isNull()) {
        return {};
    }
    // The whole cover, as large as fits, centred: a wide cover gets bands above and below, a tall
    // one beside it. The bands are clear, so the cell's own background (or its selection) shows
    // there; transparent parts of the cover itself show as white.
    QImage scaled = image.scaled(ImageSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage thumbnail(ImageSize(), QImage::Format_ARGB32_Premultiplied);
    thumbnail.fill(Qt::transparent);
    {
        QPainter painter(&thumbnail);
        const QRect place(
            QPoint((ImageSize().width() - scaled.width()) / 2, (ImageSize().height() - scaled.height()) / 2),
            scaled.size());
        painter.fillRect(place, Qt::white);
        painter.drawImage(place.topLeft(), scaled);
    }
    return thumbnail;
}

void CThumbnailList::Clear() {
    std::lock_guard lock(mutex_);
    images_.clear();
}

int CThumbnailList::Count() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(images_.size());
}

QImage CThumbnailList::Image(int index) const {
    std::lock_guard lock(mutex_);
    if (index < 0 || index >= static_cast<int>(images_.size())) {
        return {};
    }
    return images_[index];
}
