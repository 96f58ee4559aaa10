// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/freedb/confirmation.h"

#include "base/language.h"
#include "base/settings_store.h"
#include "base/user_port.h"

namespace tw::gui {

bool Confirm(base::UserPort& port, base::SettingsStore& settings, const char* key, int textId) {
    constexpr const char* kSection = "FreeDB";
    if (settings.getInt(kSection, key, 0) != 0)
        return true;
    bool silence = false;
    const bool yes =
        port.askYesNoSilenceable(base::tr(textId), silence) == base::UserPort::Answer::Yes;
    if (yes && silence)
        settings.setInt(kSection, key, 1);
    return yes;
}

}  // namespace tw::gui
