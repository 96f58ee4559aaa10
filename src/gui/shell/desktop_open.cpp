// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/shell/desktop_open.h"

#include "base/language.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "gui/qt_text.h"
#include "gui/shell/desktop_port.h"

namespace tw::gui {

bool openOnDesktop(DesktopPort& port, base::UserPort& user, const QUrl& url) {
    if (port.openUrl(url))
        return true;
    if (url.isLocalFile())
        user.showMessage(base::UserPort::Severity::Error,
                         base::trf(base::ids::kMsgDesktopCannotOpenFile, utf8(url.toLocalFile())));
    else
        user.showMessage(base::UserPort::Severity::Error,
                         base::trf(base::ids::kMsgDesktopCannotOpenAddress,
                                   utf8(url.toString(QUrl::FullyEncoded))));
    return false;
}

}  // namespace tw::gui
