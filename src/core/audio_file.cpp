#include "core/audio_file.h"

#include "core/app_options.h"
#include "core/tag_edit.h"

namespace tw::core {

std::string AudioFile::displayName(bool withExtension) const {
    return (withExtension || options().showExtension) ? fileName : baseName;
}

std::int32_t AudioFile::effectiveTrack() const {
    const TagFields& first = options().preferV1Track ? static_cast<const TagFields&>(id3v1)
                                                     : static_cast<const TagFields&>(id3v2);
    const TagFields& second = options().preferV1Track ? static_cast<const TagFields&>(id3v2)
                                                      : static_cast<const TagFields&>(id3v1);
    return first.track >= 1 ? first.track : second.track;
}

void AudioFile::autoFill() {
    if (options().autoFillV1) fillV1FromV2(*this, false);
    if (options().autoFillV2) fillV2FromV1(*this, false);
}

}  // namespace tw::core
