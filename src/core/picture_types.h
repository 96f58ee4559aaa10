// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace tw::core {

// The ID3v2 picture types 0..20: the key a command line names a type by ("front") and the
// string id of its name.
struct PictureType {
    std::string_view key;
    int nameId;
};

// The type `number` (0..20); none for other numbers.
std::optional<PictureType> pictureType(int number);
// The number of the type whose key is `key`; none for an unknown key.
std::optional<int> pictureTypeByKey(std::string_view key);
// The name of type `number` in the active language; the number itself for types without one.
std::string pictureTypeName(int number);

}  // namespace tw::core
