// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>

#include "core/audio_file.h"

namespace tw::core {

// What an edit of a record can change: both tags, the lyrics and the pictures, with the
// flags that decide what a save writes. Swapping a copy back restores the record's "changed"
// marks with its values, so a file whose every edit was taken back is no longer dirty.
// Names, file facts and stream facts are not here: renames happen on disk at once, and the
// rest only a read changes.
struct RecordTags {
    TagFields id3v1;
    TagV2Fields id3v2;
    LyricsTag lyrics;
    PictureList pictures;

    static RecordTags of(const AudioFile& record);
    // Exchanges this copy with the record's own tags.
    void swapWith(AudioFile& record);
    // Whether the record holds exactly these tags, flags included.
    bool sameAs(const AudioFile& record) const;
    // Whether the record holds these values, whatever its "changed" marks say: an edit that
    // brought the values back has not changed the file.
    bool sameValuesAs(AudioFile& record) const;
    // The memory this copy holds, its texts and the images it keeps alive included.
    std::size_t bytes() const;
};

}  // namespace tw::core
