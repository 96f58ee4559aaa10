// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tw::cli {

// The genre of a --genre option: a number from -1 (none) to 255, or a genre name compared
// without regard to case; nullopt for anything else.
std::optional<std::int32_t> genreNumber(std::string_view text);

}  // namespace tw::cli
