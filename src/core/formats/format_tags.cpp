// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/format_tags.h"

namespace tw::core {

MainTag mainTagOf(AudioFormat format) {
    switch (format) {
        case AudioFormat::Flac:
        case AudioFormat::OggVorbis:
        case AudioFormat::Opus:
            return MainTag::VorbisComment;
        case AudioFormat::Mp4:
            return MainTag::Mp4Tags;
        case AudioFormat::Mpeg:
            break;
    }
    return MainTag::Id3v2;
}

bool holdsId3v1(AudioFormat format) {
    return format == AudioFormat::Mpeg;
}

bool holdsTextGenre(AudioFormat format) {
    return mainTagOf(format) != MainTag::Id3v2;
}

}  // namespace tw::core
