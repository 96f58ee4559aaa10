// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace tw::gui {

class DesktopPort;
class ScratchFolder;

// What the shell integration works with: the desktop's port and the folder for the files
// handed to other programs. The application object owns both for the whole run; this
// bundle only refers to them.
struct DesktopContext {
    DesktopPort& port;
    ScratchFolder& scratch;
};

}  // namespace tw::gui
