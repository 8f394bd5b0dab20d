// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's icon as PNG files for the desktop's icon theme:
// FOLDER/NxN/apps/tamblin.png for each size.
#include "app/AppIcon.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fputs("usage: tamblin-icon FOLDER\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        if (!QDir().mkpath(dir) ||
            !appicon::Pixmap(size).save(dir + QStringLiteral("/tamblin.png"), "PNG")) {
            std::fprintf(stderr, "tamblin-icon: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
