// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/views/link_target.h"

namespace tw::gui {

QUrl linkTarget(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    const QUrl url = QUrl::fromUserInput(trimmed);
    if (!url.isValid())
        return {};
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("mailto"))
        return url.path().isEmpty() ? QUrl() : url;
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
                     scheme == QLatin1String("ftp");
    return web && !url.host().isEmpty() ? url : QUrl();
}

}  // namespace tw::gui
