// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "core/audio_file.h"

namespace tw::core {

// The ID3v2 text when it is not empty, else the ID3v1 text: the one rule by which the list,
// the tag tabs and the batch tools show a field both tags hold.
inline std::string_view preferV2(const std::string& v2, const std::string& v1) {
    return v2.empty() ? std::string_view(v1) : std::string_view(v2);
}

// The fields the batch tools read through EffectiveValue.
enum class EffectiveField { Title, Artist, Album, Comment, Year, Genre };

// A field as the batch tools see it (preferV2). The year is its text; the genre is its name
// from the GenreTable, or the free genre of the main tag.
std::string EffectiveValue(const AudioFile& file, EffectiveField field);

}  // namespace tw::core
