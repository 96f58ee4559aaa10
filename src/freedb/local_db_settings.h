// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <filesystem>

namespace tw::base {
class SettingsStore;
}

namespace tw::freedb {

// How the local album database lays out its files.
enum class LocalDbMode {
    Standard,  // one file per album: <root>/<category>/<disc id>
    Windows,   // range files <root>/<category>/<lo>to<hi>, many records each
};

// The settings of the local album database, values "LocalDBPath" and "LocalDBMode" of the
// settings section "FreeDB". LocalDBMode 0 is Standard; every other value is Windows.
struct LocalDbSettings {
    std::filesystem::path root;
    LocalDbMode mode = LocalDbMode::Windows;

    // Reads the two values; `defaultRoot` stands in for a missing or empty path.
    static LocalDbSettings load(const base::SettingsStore& store,
                                const std::filesystem::path& defaultRoot);
    void save(base::SettingsStore& store) const;
};

// The root used when none is stored: "database" in the user's data folder.
std::filesystem::path DefaultLocalDbRoot();

}  // namespace tw::freedb
