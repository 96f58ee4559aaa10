// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/freedb_category.h"

#include "base/ascii.h"
#include "base/string_ids.h"

namespace tw::freedb {

namespace ids = base::ids;

const std::array<FreeDbCategory, kFreeDbCategoryCount>& FreeDbCategories() {
    static constexpr std::array<FreeDbCategory, kFreeDbCategoryCount> kCategories = {{
        {"blues", ids::kCategoryBlues},
        {"classical", ids::kCategoryClassical},
        {"country", ids::kCategoryCountry},
        {"folk", ids::kCategoryFolk},
        {"jazz", ids::kCategoryJazz},
        {"misc", ids::kCategoryMisc},
        {"newage", ids::kCategoryNewage},
        {"reggae", ids::kCategoryReggae},
        {"rock", ids::kCategoryRock},
        {"soundtrack", ids::kCategorySoundtrack},
        {"data", ids::kCategoryData},
    }};
    return kCategories;
}

std::optional<std::size_t> FindFreeDbCategory(std::string_view name) {
    const auto& categories = FreeDbCategories();
    for (std::size_t i = 0; i < categories.size(); ++i)
        if (base::equalsNoCase(categories[i].name, name))
            return i;
    return std::nullopt;
}

}  // namespace tw::freedb
