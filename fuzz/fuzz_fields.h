// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rename/symbol_table.h"

namespace tw::fuzz {

// Splits a fuzzer input into texts at each '\x01', so one input carries a mask, tag
// values and symbol pairs.
inline std::vector<std::string> splitFields(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0x01)
            fields.emplace_back();
        else
            fields.back() += static_cast<char>(data[i]);
    }
    return fields;
}

// The field at `index`, or an empty text.
inline std::string fieldAt(const std::vector<std::string>& fields, std::size_t index) {
    return index < fields.size() ? fields[index] : std::string();
}

// The fields from `first` on, taken as (search, replacement) pairs.
inline rename::SymbolTable pairsFrom(const std::vector<std::string>& fields, std::size_t first) {
    rename::SymbolTable table;
    for (std::size_t i = first; i < fields.size(); i += 2)
        table.pairs.push_back({fields[i], fieldAt(fields, i + 1)});
    return table;
}

}  // namespace tw::fuzz
