// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/app_options.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "base/settings_store.h"

namespace tw::core {

namespace {
constexpr std::string_view kSection = "Settings";
}

AppOptions& options() {
    static AppOptions instance{.workFolder = defaultWorkFolder()};
    return instance;
}

std::string defaultWorkFolder() {
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* user = ::getpwuid(::getuid());
        home = (user && user->pw_dir && *user->pw_dir) ? user->pw_dir : "/";
    }
    std::string folder = home;
    if (folder.back() != '/')
        folder += '/';
    return folder;
}

std::string existingWorkFolder(const std::string& folder) {
    namespace fs = std::filesystem;
    fs::path candidate(folder);
    if (!candidate.is_absolute())
        return defaultWorkFolder();
    candidate = candidate.lexically_normal();
    for (;;) {
        std::error_code error;
        if (fs::is_directory(candidate, error)) {
            std::string found = candidate.string();
            if (found.back() != '/')
                found += '/';
            return found;
        }
        if (!candidate.has_relative_path())
            return defaultWorkFolder();
        candidate = candidate.has_filename() ? candidate.parent_path()
                                             : candidate.parent_path().parent_path();
    }
}

void SetCurrentFolder(AppOptions& opts, std::string folder) {
    if (folder.empty())
        folder = defaultWorkFolder();
    if (folder.back() != '/')
        folder += '/';
    opts.workFolder = std::move(folder);
}

void AppOptions::load(const base::SettingsStore& store) {
    auto flag = [&](std::string_view name, bool fallback) {
        return store.getInt(kSection, name, fallback ? 1 : 0) != 0;
    };
    std::string folder = store.getString(kSection, "D", defaultWorkFolder());
    std::replace(folder.begin(), folder.end(), '\\', '/');
    SetCurrentFolder(*this, std::move(folder));
    zeroYearIsEmpty = flag("i2", true);
    preferV1Track = flag("i5", true);
    autoFillV1 = flag("i6", false);
    autoFillV2 = flag("i7", false);
    i8 = store.getInt(kSection, "i8", 1);
    autosizeColumns = flag("l1", true);
    w1 = store.getInt(kSection, "w1", 1);
    w2 = store.getInt(kSection, "w2", 1);
    minimizeToTray = flag("w3", true);
    doubleClickOpensFolder = flag("w4", false);
    showExtension = flag("f4", false);
    allowEditInList = flag("AllowEditInList", true);
    mp3FilesOnly = flag("Mp3FilesOnly", false);
    includeSubfolders = flag("IncludeSubfolders", false);
    id3v1CodePage = store.getString(kSection, "ID3v1CodePage", "windows-1252");
}

void AppOptions::save(base::SettingsStore& store) const {
    store.setString(kSection, "D", workFolder);
    store.setInt(kSection, "i2", zeroYearIsEmpty);
    store.setInt(kSection, "i5", preferV1Track);
    store.setInt(kSection, "i6", autoFillV1);
    store.setInt(kSection, "i7", autoFillV2);
    store.setInt(kSection, "i8", i8);
    store.setInt(kSection, "l1", autosizeColumns);
    store.setInt(kSection, "w1", w1);
    store.setInt(kSection, "w2", w2);
    store.setInt(kSection, "w3", minimizeToTray);
    store.setInt(kSection, "w4", doubleClickOpensFolder);
    store.setInt(kSection, "f4", showExtension);
    store.setInt(kSection, "AllowEditInList", allowEditInList);
    store.setInt(kSection, "Mp3FilesOnly", mp3FilesOnly);
    store.setInt(kSection, "IncludeSubfolders", includeSubfolders);
    store.setString(kSection, "ID3v1CodePage", id3v1CodePage);
}

}  // namespace tw::core
