// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace tw::base {
class SettingsStore;
class UserPort;
}  // namespace tw::base

namespace tw::core {
class FileList;
struct AppOptions;
}  // namespace tw::core

namespace tw::gui {

class EditDocument;

// What every window of the program works on. The application object owns all five for the
// whole run and hands this bundle of references to the windows it creates; a window keeps
// the bundle (or a reference to it) but owns none of it.
//
//   list      the records of the work folder with the selection chain
//   options   the program options ("Settings"), changed by the option commands
//   settings  the settings store, for the windows' own values (column layouts)
//   port      questions, messages and progress; tests put a scripted port here
//   document  the path of every edit of the list's records, with their undo history
struct GuiContext {
    core::FileList& list;
    core::AppOptions& options;
    base::SettingsStore& settings;
    base::UserPort& port;
    EditDocument& document;
};

}  // namespace tw::gui
