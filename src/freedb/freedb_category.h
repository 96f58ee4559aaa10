// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace tw::freedb {

// One CDDB category: the name used on the wire and as the local database's folder name, and
// the string id of the name shown in dialogs and statistics.
struct FreeDbCategory {
    std::string_view name;
    int displayNameId;
};

inline constexpr std::size_t kFreeDbCategoryCount = 11;

// The eleven categories in their fixed order (the order of "cddb query" sweeps and of the
// server statistics).
const std::array<FreeDbCategory, kFreeDbCategoryCount>& FreeDbCategories();

// The position of `name` among the eleven, compared without regard to case.
std::optional<std::size_t> FindFreeDbCategory(std::string_view name);

}  // namespace tw::freedb
