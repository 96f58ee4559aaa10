// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <filesystem>
#include <vector>

namespace tw::base {

// Where the program finds its own files and keeps the user's.
//
//   program folder       the folder of the executable
//   installation data    <program folder>/../share/tunewright: language files (Lng), templates,
//                        help; a build tree links build/share/tunewright to data/ so it works
//                        the same way
//   user data            $XDG_DATA_HOME/tunewright (default ~/.local/share/tunewright): the
//                        user's own language files and templates, the local album database
//   user config          $XDG_CONFIG_HOME/tunewright (default ~/.config/tunewright): CDPLAYER.INI
//   user state           $XDG_STATE_HOME/tunewright (default ~/.local/state/tunewright): the
//                        undo journals of saves in progress, the undo of the last save or
//                        rename (core/kept_undo.h)
//
// The paths are process-wide: initAppPaths() runs once at start, before other threads exist;
// afterwards they are only read (reading is safe from any thread). Tests point them at a
// temporary folder with setAppPaths().
struct AppPaths {
    std::filesystem::path programFolder;
    std::filesystem::path installDataFolder;
    std::filesystem::path userDataFolder;
    std::filesystem::path userConfigFolder;
    std::filesystem::path userStateFolder = {};  // empty: from the environment (setAppPaths)
};

// Works the paths out from the running executable (/proc/self/exe, else argv0) and the
// environment. Folders are not created here.
void initAppPaths(const char* argv0);

// Replaces all paths (tests, or an application that knows better). An empty state folder is
// worked out from the environment, so that saves always have a place for their journal.
void setAppPaths(const AppPaths& paths);

// The current paths; before any init they are worked out from the environment and the
// current directory.
AppPaths appPaths();

// The data folders in search order: the user's first, so their own files win over the
// installed ones of the same name.
std::vector<std::filesystem::path> dataFolders();

}  // namespace tw::base
