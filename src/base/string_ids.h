// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Names for the ids of the program's texts and commands.
//
// Every text a user can see is looked up by one of these ids (see language.h), so a language
// file can replace it. The ids, names and built-in English texts are listed together in
// string_entries.inc; this header only turns that list into constants.

namespace tw::base::ids {

#define TW_STRING(name, id, text) inline constexpr int name = id;
#include "base/string_entries.inc"
#undef TW_STRING

// Ids that have no text of their own.

// The language menu: entry n (from 0) has the command kCmdLanguageFirst + n; entries up to
// kCmdLanguageLastEnabled are commands, the rest up to kCmdLanguageLast are shown disabled.
inline constexpr int kCmdLanguageFirst = 61001;
inline constexpr int kCmdLanguageLastEnabled = 61020;
inline constexpr int kCmdLanguageLast = 61039;

// The cascading folder menu's two commands (labels: kMenuPlayDirectory and friends).
inline constexpr int kCmdFolderMenuPlay = 60100;
inline constexpr int kCmdFolderMenuEnqueue = 60101;

// The popups of the main menu are keyed from here upwards, in depth-first order.
inline constexpr int kMenuHeadFirst = kMenuHeadFolder;

// The text of CDDB error code c (100 to 182) has the id kCddbErrorTextBase + c.
inline constexpr int kCddbErrorTextBase = 63000;

}  // namespace tw::base::ids
