// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/user_settings.h"

#include "base/language.h"
#include "base/qt/qsettings_store.h"

namespace tw::cli {

void loadUserSettings(core::AppOptions& options) {
    const base::QSettingsStore store;
    options.load(store);
    base::SetLanguage(store.getString("Settings", "Language", ""));
}

}  // namespace tw::cli
