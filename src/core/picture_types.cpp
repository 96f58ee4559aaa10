// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/picture_types.h"

#include <array>
#include <string>

#include "base/language.h"
#include "base/string_ids.h"
#include "core/picture_info.h"

namespace tw::core {

namespace {

namespace ids = base::ids;

constexpr std::array<PictureType, kPictureTypeCount> kTypes = {{
    {"other", ids::kPictureTypeOther},
    {"icon", ids::kPictureTypeFileIcon},
    {"other-icon", ids::kPictureTypeOtherFileIcon},
    {"front", ids::kPictureTypeFrontCover},
    {"back", ids::kPictureTypeBackCover},
    {"leaflet", ids::kPictureTypeLeaflet},
    {"media", ids::kPictureTypeMedia},
    {"lead-artist", ids::kPictureTypeLeadArtist},
    {"artist", ids::kPictureTypeArtist},
    {"conductor", ids::kPictureTypeConductor},
    {"band", ids::kPictureTypeBand},
    {"composer", ids::kPictureTypeComposer},
    {"lyricist", ids::kPictureTypeLyricist},
    {"location", ids::kPictureTypeLocation},
    {"recording", ids::kPictureTypeDuringRecording},
    {"performance", ids::kPictureTypeDuringPerformance},
    {"video", ids::kPictureTypeVideoCapture},
    {"fish", ids::kPictureTypeFish},
    {"illustration", ids::kPictureTypeIllustration},
    {"band-logo", ids::kPictureTypeBandLogo},
    {"publisher-logo", ids::kPictureTypePublisherLogo},
}};

}  // namespace

std::optional<PictureType> pictureType(int number) {
    if (number < 0 || number >= kPictureTypeCount)
        return std::nullopt;
    return kTypes[static_cast<std::size_t>(number)];
}

std::optional<int> pictureTypeByKey(std::string_view key) {
    for (std::size_t i = 0; i < kTypes.size(); ++i)
        if (kTypes[i].key == key)
            return static_cast<int>(i);
    return std::nullopt;
}

std::string pictureTypeName(int number) {
    const auto type = pictureType(number);
    return type ? base::tr(type->nameId) : std::to_string(number);
}

}  // namespace tw::core
