// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace tw::base {
class UserPort;
}

namespace tw::gui {

class DesktopPort;
class ScratchFolder;

// What the shell integration works with: the desktop's port, the folder for the files
// handed to other programs and the user's port, which hears what the desktop could not
// open. The application object owns them for the whole run; this bundle only refers to them.
struct DesktopContext {
    DesktopPort& port;
    ScratchFolder& scratch;
    base::UserPort& user;
};

}  // namespace tw::gui
