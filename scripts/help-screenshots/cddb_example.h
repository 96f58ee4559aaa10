// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace tw::base {
class SettingsStore;
class UserPort;
}  // namespace tw::base
namespace tw::core {
class FileList;
}

namespace tw::help_shots {

// Puts an album of the selected files into the local album database and lets the album
// window look only there and in the CD player's file, so its pictures show a found album
// without asking a server on the network.
void prepareCddbExample(const core::FileList& list, base::SettingsStore& store,
                        base::UserPort& port);

}  // namespace tw::help_shots
