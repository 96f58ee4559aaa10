// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QUrl>

namespace tw::base {
class UserPort;
}

namespace tw::gui {

class DesktopPort;

// Hands `url` (a local file or folder, or a web address) to the desktop's default handler.
// When the desktop cannot open it (no handler, or the handler did not start), tells the
// user what could not be opened, by its path or address, and how to open it by hand, and
// returns false: a command never looks as if it had worked when nothing opened. A caller
// with nothing more to do may drop the result: the user has been told.
bool openOnDesktop(DesktopPort& port, base::UserPort& user, const QUrl& url);

}  // namespace tw::gui
