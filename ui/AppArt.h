// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>

// The program's pictures, drawn rather than shipped: the window icon and the splash background.
namespace AppArt {

QIcon AppIcon();
// A picture of the icon at size pixels square.
QPixmap IconPixmap(int size);
// The same without a display, for the icon files the install puts into the icon theme.
QImage IconImage(int size);
QPixmap SplashBackground(QSize size);

}  // namespace AppArt
