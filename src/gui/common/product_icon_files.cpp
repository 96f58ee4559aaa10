// SPDX-License-Identifier: GPL-2.0-or-later
// tunewright-icons FOLDER NAME: writes the program's icon as FOLDER/<n>x<n>/apps/NAME.png at
// every size of an icon theme, for the installation.
#include <QDir>
#include <QString>
#include <cstdio>

#include "gui/common/product_icon.h"

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tunewright-icons FOLDER NAME\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int size : tw::gui::kProductIconSizes) {
        const QString apps = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        const QString file = apps + QLatin1Char('/') + name + QStringLiteral(".png");
        if (!QDir().mkpath(apps) || !tw::gui::productIconImage(size).save(file, "PNG")) {
            std::fprintf(stderr, "tunewright-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
