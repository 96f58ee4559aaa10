// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QMenu>
#include <functional>
#include <string>

namespace tw::gui {

// The toolbar's folder menu ("Play dir"): a cascading menu of folders to play or enqueue.
// Each folder's popup holds its two commands (60100 play and 60101 enqueue), "all
// directories" when it has sub-folders of its own, then one popup per sub-folder, filled
// when it first opens, so the menu reaches as deep as the user goes and reads no more
// folders than the user opens. Hidden folders (names starting with ".") and links to
// folders are left out; at most kMaxSubfolders sub-folders show per popup.
//
// Owns its sub-popups (Qt children). The chosen command reaches `choose` with the folder
// (ending in "/") and whether it is to be enqueued.
class FolderMenu : public QMenu {
    Q_OBJECT
public:
    using Choice = std::function<void(const std::string& folder, bool enqueue)>;

    FolderMenu(const std::string& folder, Choice choose, QWidget* parent = nullptr);

    static constexpr int kMaxSubfolders = 500;

private:
    void fill(QMenu& menu, const std::string& folder);

    Choice choose_;
};

// The folder the menu starts at: `current` without its last level ("/music/rock/" gives
// "/music/"); the root stays as it is.
std::string folderMenuStart(const std::string& current);

}  // namespace tw::gui
