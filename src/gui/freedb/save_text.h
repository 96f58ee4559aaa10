// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace tw::base {
class UserPort;
}

namespace tw::gui {

// Asks for a plain-text file and writes `text` into it as UTF-8 ("Save Log...", the database
// info's "Save..."); a file that cannot be written is reported with "Can't create file!".
// False when cancelled or failed.
[[nodiscard]] bool SaveTextAs(base::UserPort& port, const QString& text);

}  // namespace tw::gui
