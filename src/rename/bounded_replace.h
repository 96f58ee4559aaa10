// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tw::rename {

// The size a text may reach while replacement pairs are applied to it: four times its
// original length plus 1 KiB. Keeps a pair whose replacement holds (or recreates) its
// search text from looping or growing without end.
std::size_t growthLimit(std::size_t originalLength);

// Replaces every occurrence of `search` by `replacement`, round after round, until `search`
// no longer occurs or a round would change nothing or make `text` longer than `limit`; that
// round is not made. An empty `search` changes nothing.
void replaceRepeatedly(std::string& text, std::string_view search, std::string_view replacement,
                       std::size_t limit);

// Replaces every occurrence of `token` in `text` by `value`, in one pass (a value is not
// searched again for the same token). Returns false, leaving `text` as it was, when the
// result would be longer than `limit`: replacements done in a fixed order can feed on each
// other (a value holding a later token's text, over and over) and grow without bound.
bool replaceToken(std::string& text, std::string_view token, std::string_view value,
                  std::size_t limit);

// Removes the characters of `set` from both ends (trimStart / trimEnd: one end only).
void trimStart(std::string& text, std::string_view set);
void trimEnd(std::string& text, std::string_view set);
void trimBoth(std::string& text, std::string_view set);

}  // namespace tw::rename
