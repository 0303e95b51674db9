// SPDX-License-Identifier: GPL-3.0-or-later
// icon_pngs OUTDIR SIZE...: writes the application icon as OUTDIR/SIZExSIZE/apps/orvelle.png, the
// icon theme's layout, for the install. It draws what the window draws, so menu and window agree.

#include <QDir>
#include <QString>

#include <cstdio>
#include <cstdlib>

#include "ui/AppArt.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: icon_pngs OUTDIR SIZE...\n");
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        int size = std::atoi(argv[i]);
        if (size <= 0) {
            std::fprintf(stderr, "icon_pngs: bad size %s\n", argv[i]);
            return 2;
        }
        QString folder = QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        if (!QDir().mkpath(folder) ||
            !AppArt::IconImage(size).save(folder + QStringLiteral("/orvelle.png"))) {
            std::fprintf(stderr, "icon_pngs: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
