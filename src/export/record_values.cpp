// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/record_values.h"

#include "core/app_options.h"
#include "core/audio_file.h"
#include "core/effective_value.h"
#include "core/list_cells.h"
#include "core/relative_folder.h"
#include "rename/mask_expansion.h"

namespace tw::exports {

std::string recordValue(const core::AudioFile& file, RecordValue value) {
    using core::EffectiveField;
    using core::EffectiveValue;
    switch (value) {
        case RecordValue::Track:
            return rename::trackNumberText(file.effectiveTrack());
        case RecordValue::Title:
            return EffectiveValue(file, EffectiveField::Title);
        case RecordValue::Artist:
            return EffectiveValue(file, EffectiveField::Artist);
        case RecordValue::Album:
            return EffectiveValue(file, EffectiveField::Album);
        case RecordValue::Year:
            return EffectiveValue(file, EffectiveField::Year);
        case RecordValue::Genre:
            return EffectiveValue(file, EffectiveField::Genre);
        case RecordValue::Comment:
            return EffectiveValue(file, EffectiveField::Comment);
        case RecordValue::Composer:
            return file.id3v2.composer;
        case RecordValue::OrigArtist:
            return file.id3v2.origArtist;
        case RecordValue::Copyright:
            return file.id3v2.copyright;
        case RecordValue::Url:
            return file.id3v2.url;
        case RecordValue::Publisher:
            return file.id3v2.publisher;
        case RecordValue::EncodedBy:
            return file.id3v2.encodedBy;
        case RecordValue::Lyrics:
            return file.lyrics.text;
        case RecordValue::FileName:
            // Named from the opened folder: with sub-folders listed, a bare name would not
            // tell two "01 Intro.mp3" apart.
            return std::string(core::relativeName(file, core::options().workFolder));
        case RecordValue::Created:
            return file.createdText;
        case RecordValue::Changed:
            return file.changedText;
        case RecordValue::Size:
            return core::sizeText(file.size);
        case RecordValue::PlayTime:
            return file.stream(core::StreamField::Length);
        case RecordValue::Bitrate:
            return file.stream(core::StreamField::Bitrate);
        case RecordValue::Channels:
            return file.stream(core::StreamField::Mode);
        case RecordValue::None:
            break;
    }
    return {};
}

}  // namespace tw::exports
