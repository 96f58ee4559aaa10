// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QTemporaryDir>
#include <memory>
#include <string>

namespace tw::gui {

// Files the program hands to other programs while it runs: the playlists it asks the player
// to play and the generated hot keys page. They live in a private temporary folder that is
// made on first use and removed, with everything in it, when the folder object goes (at
// exit). Each file gets a folder of its own, so a player still reading an earlier playlist
// never sees it replaced, while the file keeps the name the user should see.
//
// Owns the folder. GUI thread only.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();

    // A path "<folder>/<n>/<name>" whose folder exists and which names no file yet; empty
    // when no folder could be made.
    std::string newPath(const std::string& name);

    // Writes `content` to newPath(name) and returns the path; empty when writing failed
    // (nothing is left behind then).
    std::string write(const std::string& name, const std::string& content);

private:
    std::unique_ptr<QTemporaryDir> dir_;
    int count_ = 0;
};

}  // namespace tw::gui
