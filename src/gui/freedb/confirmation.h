// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace tw::base {
class SettingsStore;
class UserPort;
}  // namespace tw::base

namespace tw::gui {

// A question of the album window that the user may silence: "ConfirmationDeleteAlbum",
// "ConfirmationDeleteAlbums", "ConfirmationCopyToCDPlayer" or "ConfirmationAlbumExists" in
// section "FreeDB". While the value is set the answer is Yes without asking; it is set when
// the user answers Yes with "Do not ask about this in the future." ticked (a silenced No
// would make the command impossible).
bool Confirm(base::UserPort& port, base::SettingsStore& settings, const char* key, int textId);

}  // namespace tw::gui
