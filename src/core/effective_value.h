#pragma once

#include <string>

#include "core/audio_file.h"

namespace tw::core {

// The fields the batch tools read through EffectiveValue.
enum class EffectiveField { Title, Artist, Album, Comment, Year, Genre };

// A field as the batch tools see it: the ID3v2 value when it is not empty, else the ID3v1
// value. The year is its text; the genre is its name from the GenreTable.
std::string EffectiveValue(const AudioFile& file, EffectiveField field);

}  // namespace tw::core
