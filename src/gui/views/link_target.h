// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QUrl>

namespace tw::gui {

// The link a URL text from a tag may open with the desktop's handler: web, FTP and mail
// links only ("www.example.com" counts as a web link). Tags come from anywhere, and a
// "file:" or custom-scheme link would run whatever program the desktop has for it, so
// anything else gives an invalid QUrl and is not opened.
QUrl linkTarget(const QString& text);

}  // namespace tw::gui
