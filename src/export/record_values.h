// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

namespace tw::core {
struct AudioFile;
}

namespace tw::exports {

// The values of a file that exports write, whether as a column or as a template token.
enum class RecordValue {
    Track,  // effectiveTrack: empty for 0, "01".."09", then plain decimal
    Title,  // the effective values (ID3v2 when set, else ID3v1) ...
    Artist,
    Album,
    Year,
    Genre,  // ... the genre by name
    Comment,
    Composer,  // ID3v2 only
    OrigArtist,
    Copyright,
    Url,
    Publisher,
    EncodedBy,
    Lyrics,    // the lyrics text
    FileName,  // with extension, relative to the work folder (relativeName)
    Created,   // the file list's texts
    Changed,
    Size,
    PlayTime,
    Bitrate,
    Channels,
    None,  // the Picture column: always empty
};

// The value as it stands, unescaped.
std::string recordValue(const core::AudioFile& file, RecordValue value);

}  // namespace tw::exports
