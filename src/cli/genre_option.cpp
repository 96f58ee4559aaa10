// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/genre_option.h"

#include <charconv>

#include "core/genre_table.h"

namespace tw::cli {

std::optional<std::int32_t> genreNumber(std::string_view text) {
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (!text.empty() && error == std::errc() && end == text.data() + text.size())
        return number >= -1 && number <= 255 ? std::optional(number) : std::nullopt;
    core::TagFields fields;
    core::genreByName(fields, text);
    return fields.genre >= 0 ? std::optional(fields.genre) : std::nullopt;
}

}  // namespace tw::cli
