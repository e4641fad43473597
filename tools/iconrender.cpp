// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Renders the program's icon, as the program draws it, into a hicolor icon theme tree:
//   iconrender DIR NAME   writes DIR/<n>x<n>/apps/NAME.png for every usual size

#include "ui/Pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: iconrender DIR NAME\n");
        return 2;
    }
    // Drawing needs no window system.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString root = QString::fromLocal8Bit(argv[1]), name = QString::fromLocal8Bit(argv[2]);
    for (const int side : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(side);
        const QPixmap picture = tessivo::pictures::picture(tessivo::pictures::kIcon, QSize(side, side));
        if (!QDir().mkpath(folder) || picture.isNull() ||
            !picture.save(QStringLiteral("%1/%2.png").arg(folder, name), "PNG")) {
            std::fprintf(stderr, "iconrender: cannot write the %dx%d icon\n", side, side);
            return 1;
        }
    }
    return 0;
}
