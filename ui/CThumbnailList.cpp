#include "ui/CThumbnailList.h"

#include <QColor>
#include <QImageReader>
#include <QPainter>
#include <QString>

#include "core/JobContext.h"

QSize CThumbnailList::ImageSize() {
    return QSize(THUMB_WIDTH, THUMB_HEIGHT);
}

int CThumbnailList::AddFromFile(const std::u16string& file) {
    QImageReader reader(QString::fromStdU16String(file));
    // The file is always called ".jpg"; the sites also answer PNG, GIF and WebP.
    reader.setDecideFormatFromContent(true);
    return Add(reader.read());
}

int CThumbnailList::Add(const QImage& image) {
    if (image.isNull()) {
        return -1;
    }
    QImage scaled = image.scaled(ImageSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // The list holds opaque colour images: transparent parts of a cover show as white.
    QImage thumbnail(ImageSize(), QImage::Format_RGB32);
    thumbnail.fill(Qt::white);
    {
        QPainter painter(&thumbnail);
        painter.drawImage(0, 0, scaled);
    }
    std::lock_guard lock(mutex_);
    images_.push_back(thumbnail);
    return static_cast<int>(images_.size()) - 1;
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
