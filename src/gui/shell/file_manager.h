// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

namespace tw::gui {

struct DesktopContext;

// The folder tree's "Open Explorer..." and "Folder Properties": the desktop's file manager
// through its D-Bus interface, and the folder's default handler (as xdg-open opens it)
// where no file manager answers there (saying so when that fails too). The context must
// outlive the answer, which may come after these return.

// Shows `folder` in the file manager ("ShowFolders").
void exploreFolder(DesktopContext& desktop, const std::string& folder);

// The file manager's properties window of `folder` ("ShowItemProperties"); without one,
// the folder is opened as above, so the user at least sees it.
void showFolderProperties(DesktopContext& desktop, const std::string& folder);

}  // namespace tw::gui
