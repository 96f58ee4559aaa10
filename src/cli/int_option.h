// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <string_view>

#include "cli/args.h"

namespace tw::cli {

// `text` as a whole decimal number within [min, max] (no sign, blank or other character);
// nullopt for anything else.
inline std::optional<int> wholeNumber(std::string_view text, int min, int max) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || at != end || value < min || value > max)
        return std::nullopt;
    return value;
}

// The value of option `name` as a whole decimal number within [min, max]: `fallback` when
// the option is absent, nullopt when its value is no such number.
inline std::optional<int> intOption(const Args& args, std::string_view name, int fallback, int min,
                                    int max) {
    const std::string* text = args.value(name);
    return text ? wholeNumber(*text, min, max) : fallback;
}

}  // namespace tw::cli
