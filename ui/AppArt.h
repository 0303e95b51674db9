#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

// The program's pictures, drawn rather than shipped: the window icon and the splash background.
namespace AppArt {

QIcon AppIcon();
// A picture of the icon at size pixels square.
QPixmap IconPixmap(int size);
QPixmap SplashBackground(QSize size);

}  // namespace AppArt
