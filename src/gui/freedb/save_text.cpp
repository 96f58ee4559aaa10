// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/freedb/save_text.h"

#include <QSaveFile>

#include "base/message.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

bool SaveTextAs(base::UserPort& port, const QString& text) {
    const auto path = port.askSavePath("", base::tr(ids::kFilterPlainText), "txt");
    if (!path)
        return false;
    QSaveFile file(qs(*path));
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        port.showMessage(base::UserPort::Severity::Error,
                         base::withReason(base::tr(ids::kMsgCantCreateFile),
                                          base::Message::verbatim(utf8(file.errorString()))));
        return false;
    }
    return true;
}

}  // namespace tw::gui
