// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string_view>

namespace tw::freedb {

// Checks for words that came from outside (a server reply, a web page, a stored file) before
// they become part of a path in the local album database.

// A disc id: exactly eight hexadecimal digits (either case).
bool IsValidDiscId(std::string_view text);

// A category folder: one of the eleven categories or a plain folder name (not empty, no
// separator, no NUL, not "." or "..").
bool IsSafeCategoryName(std::string_view name);

}  // namespace tw::freedb
