// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

namespace tw::base {

// The built-in English text of a string id (see string_ids.h), or an empty view when the id
// has none. The texts are static: the view stays valid for the whole run and may be read from
// any thread.
std::string_view builtinText(int id);

// Number of texts in the table (for tests and tools).
std::size_t builtinTextCount();

// The id of the n-th text in ascending id order, n < builtinTextCount() (for tests and tools,
// such as writing a template language file).
int builtinTextIdAt(std::size_t n);

}  // namespace tw::base
