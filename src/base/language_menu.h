// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw::base {

class SettingsStore;
class UserPort;

// The language side of menus and of start-up: which languages the "Interface Language" menu
// offers, choosing one, and the texts of translated menus.

// At start-up: activates the language stored as "Language" in section "Settings".
void activateStoredLanguage(const SettingsStore& store);

// One entry of the language menu after "English (default)".
struct LanguageMenuEntry {
    std::string name;   // the file name up to its first "."
    int commandId = 0;  // ids::kCmdLanguageFirst + position
    bool enabled = false;
    bool checked = false;  // the active language
};

inline constexpr std::size_t kMaxLanguageMenuEntries = 39;
inline constexpr std::size_t kEnabledLanguageMenuEntries = 20;

// The ".lng" files of the data folders' "Lng" folders, in listing order (the user's folder
// first, each in the order the file system lists it), at most kMaxLanguageMenuEntries; the
// first kEnabledLanguageMenuEntries are enabled. A name met a second time is left out.
std::vector<LanguageMenuEntry> languageMenuEntries();

// The language name of an enabled entry's command, listing the folders again; nullopt for
// other ids or when the folder changed so that no such entry exists any more.
std::optional<std::string> languageOfCommand(int commandId);

// The user chose a language in the menu (the empty name is "English (default)"). When it
// differs from the active one and the user agrees to a restart, stores it as "Language" in
// section "Settings" and returns true: the caller then restarts the program.
[[nodiscard]] bool ChooseLanguage(std::string_view name, SettingsStore& store, UserPort& port);

// The label of a menu item: the active language's text of the command (section
// "MenuItems"), else the built-in label `labelId`.
std::string menuItemText(int commandId, int labelId);

// The title of the main menu's popup at `position` (0 = first, keyed ids::kMenuHeadFirst +
// position in section "MenusHeads"), else the built-in title `labelId`.
std::string menuHeadText(int position, int labelId);

}  // namespace tw::base
