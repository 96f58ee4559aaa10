// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/common/file_filter.h"

#include <QStringList>

namespace tw::gui {

QString qtFileFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        if (description.isEmpty() && patterns.isEmpty())
            continue;
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (description.isEmpty())
            entries.append(patterns);
        else if (description.contains(QLatin1Char('(')) && description.endsWith(QLatin1Char(')')))
            entries.append(description);
        else
            entries.append(description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}

}  // namespace tw::gui
