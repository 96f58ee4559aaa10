#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tw::exports {

// Replaces every occurrence of `token` in `text` by `value`, in one pass (a value is not
// searched again for the same token). Returns false, leaving `text` as it was, when the
// result would be longer than `limit`: replacements done in a fixed order can feed on each
// other (a value holding a later token's text, over and over) and grow without bound.
bool replaceToken(std::string& text, std::string_view token, std::string_view value,
                  std::size_t limit);

}  // namespace tw::exports
