// SPDX-License-Identifier: GPL-2.0-or-later
#include "base/app_paths.h"

#include <cstdlib>
#include <mutex>
#include <optional>

namespace tw::base {

namespace {

namespace fs = std::filesystem;

constexpr const char* kFolderName = "tunewright";

std::mutex& pathsMutex() {
    static std::mutex m;
    return m;
}

std::optional<AppPaths>& storedPaths() {
    static std::optional<AppPaths> paths;
    return paths;
}

fs::path homeFolder() {
    const char* home = std::getenv("HOME");
    return (home && *home) ? fs::path(home) : fs::temp_directory_path();
}

// An XDG base folder: the variable when it holds an absolute path, else the default below
// the home folder.
fs::path xdgFolder(const char* variable, const char* defaultBelowHome) {
    const char* value = std::getenv(variable);
    if (value && *value && fs::path(value).is_absolute())
        return fs::path(value);
    return homeFolder() / defaultBelowHome;
}

fs::path executableFolder(const char* argv0) {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec && argv0 && *argv0)
        exe = fs::weakly_canonical(fs::absolute(argv0, ec), ec);
    if (exe.empty())
        return fs::current_path(ec);
    return exe.parent_path();
}

fs::path stateFolder() {
    return xdgFolder("XDG_STATE_HOME", ".local/state") / kFolderName;
}

AppPaths pathsFor(const fs::path& programFolder) {
    AppPaths p;
    p.programFolder = programFolder;
    p.installDataFolder = (programFolder / ".." / "share" / kFolderName).lexically_normal();
    p.userDataFolder = xdgFolder("XDG_DATA_HOME", ".local/share") / kFolderName;
    p.userConfigFolder = xdgFolder("XDG_CONFIG_HOME", ".config") / kFolderName;
    p.userStateFolder = stateFolder();
    return p;
}

}  // namespace

void initAppPaths(const char* argv0) {
    setAppPaths(pathsFor(executableFolder(argv0)));
}

void setAppPaths(const AppPaths& paths) {
    std::lock_guard lock(pathsMutex());
    storedPaths() = paths;
    if (paths.userStateFolder.empty())
        storedPaths()->userStateFolder = stateFolder();
}

AppPaths appPaths() {
    std::lock_guard lock(pathsMutex());
    if (!storedPaths())
        storedPaths() = pathsFor(executableFolder(nullptr));
    return *storedPaths();
}

std::vector<fs::path> dataFolders() {
    AppPaths p = appPaths();
    return {p.userDataFolder, p.installDataFolder};
}

}  // namespace tw::base
