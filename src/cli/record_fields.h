#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/audio_file.h"

namespace tw::cli {

using FieldValue = std::variant<std::string, std::int64_t, bool>;

// One value of a record as the CLI prints it. `group` is empty for the record's own facts,
// else "stream", "id3v1", "id3v2" or "lyrics"; the fields of a group are consecutive.
struct RecordField {
    std::string_view group;
    std::string_view name;
    FieldValue value;
};

// Every field of `file` in a fixed order: path, names, dates, size, play time, the stream
// texts by index name, both tags with their flags and the lyrics; the information text
// last when `withInfoText`.
std::vector<RecordField> describeRecord(const core::AudioFile& file, bool withInfoText);

}  // namespace tw::cli
