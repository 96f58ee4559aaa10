// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/local_db_settings.h"

#include "base/app_paths.h"
#include "base/settings_store.h"

namespace tw::freedb {

namespace {
constexpr const char* kSection = "FreeDB";
}  // namespace

LocalDbSettings LocalDbSettings::load(const base::SettingsStore& store,
                                      const std::filesystem::path& defaultRoot) {
    LocalDbSettings settings;
    const std::string root = store.getString(kSection, "LocalDBPath", "");
    settings.root = root.empty() ? defaultRoot : std::filesystem::path(root);
    settings.mode = store.getInt(kSection, "LocalDBMode", 1) == 0 ? LocalDbMode::Standard
                                                                  : LocalDbMode::Windows;
    return settings;
}

void LocalDbSettings::save(base::SettingsStore& store) const {
    store.setString(kSection, "LocalDBPath", root.string());
    store.setInt(kSection, "LocalDBMode", mode == LocalDbMode::Standard ? 0 : 1);
}

std::filesystem::path DefaultLocalDbRoot() {
    return base::appPaths().userDataFolder / "database";
}

}  // namespace tw::freedb
