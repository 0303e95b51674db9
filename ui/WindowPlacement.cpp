// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowPlacement.h"

#include <QSettings>
#include <QWidget>

namespace {

constexpr char kGeometryKey[] = "window/geometry";

}  // namespace

namespace WindowPlacement {

std::u16string PathIn(const std::u16string& programDir) {
    return programDir + u"window.ini";
}

void Restore(QWidget& window, const std::u16string& programDir) {
    if (programDir.empty()) {
        return;
    }
    const QSettings file(QString::fromStdU16String(PathIn(programDir)), QSettings::IniFormat);
    const QByteArray geometry = file.value(QLatin1String(kGeometryKey)).toByteArray();
    if (!geometry.isEmpty()) {
        // Qt moves a window that would lie off every screen back onto one.
        window.restoreGeometry(geometry);
    }
}

bool Save(const QWidget& window, const std::u16string& programDir) {
    if (programDir.empty()) {
        return false;
    }
    QSettings file(QString::fromStdU16String(PathIn(programDir)), QSettings::IniFormat);
    file.setValue(QLatin1String(kGeometryKey), window.saveGeometry());
    file.sync();
    return file.status() == QSettings::NoError;
}

}  // namespace WindowPlacement
