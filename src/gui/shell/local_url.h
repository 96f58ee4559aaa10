// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QUrl>
#include <string_view>

#include "gui/shell/file_uri.h"

namespace tw::gui {

// The URL of a local file or folder, every byte of its path kept (a QString would lose
// bytes of a name that is not UTF-8).
inline QUrl localUrl(std::string_view path) {
    return QUrl::fromEncoded(QByteArray::fromStdString(fileUri(path)), QUrl::StrictMode);
}

}  // namespace tw::gui
