// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/list_cells.h"

#include <cstdio>

#include "base/language.h"
#include "base/string_ids.h"
#include "core/app_options.h"
#include "core/effective_value.h"
#include "core/formats/format_tags.h"
#include "core/genre_table.h"
#include "core/mpeg_info.h"
#include "core/relative_folder.h"

namespace tw::core {

namespace ids = base::ids;

std::string sizeText(std::uint64_t size) {
    char buffer[64];
    if (size < 1024) {
        std::snprintf(buffer, sizeof buffer, "%llu Bytes", static_cast<unsigned long long>(size));
        return buffer;
    }
    const double kb = static_cast<double>(size) * (1.0 / 1024);
    const double mb = kb * (1.0 / 1024);
    if (mb > 1.0)
        std::snprintf(buffer, sizeof buffer, "%4.2f MB", mb);
    else
        std::snprintf(buffer, sizeof buffer, "%4.2f KB", kb);
    return buffer;
}

const std::string& cachedSizeText(AudioFile& record) {
    if (record.sizeText.empty())
        record.sizeText = sizeText(record.size);
    return record.sizeText;
}

std::string_view listedName(const AudioFile& record) {
    // The same choice as AudioFile::displayName(false), as a view: the list asks for it
    // on every paint and every comparison of a sort.
    return options().showExtension ? record.fileName : record.baseName;
}

std::int32_t preferredGenre(const AudioFile& record) {
    const std::int32_t v2 = record.id3v2.genre;
    return v2 >= 0 && v2 <= 127 ? v2 : record.id3v1.genre;
}

ListCellTexts::ListCellTexts() : yes_(base::tr(ids::kWordYes)), no_(base::tr(ids::kWordNo)) {}

std::string_view ListCellTexts::text(AudioFile& record, TagFieldId column) const {
    const TagFields& v1 = record.id3v1;
    const TagV2Fields& v2 = record.id3v2;
    switch (column) {
        case TagFieldId::Filename:
            return listedName(record);
        case TagFieldId::Track:
            return v1.trackText;
        case TagFieldId::FileSize:
            return cachedSizeText(record);
        case TagFieldId::Created:
            return record.createdText;
        case TagFieldId::Changed:
            return record.changedText;
        case TagFieldId::PlayTime:
            return record.stream(StreamField::Length);
        case TagFieldId::Bitrate:
            return record.stream(StreamField::Bitrate);
        case TagFieldId::Channels:
            return record.stream(StreamField::Mode);
        case TagFieldId::Title:
            return preferV2(v2.title, v1.title);
        case TagFieldId::Artist:
            return preferV2(v2.artist, v1.artist);
        case TagFieldId::Album:
            return preferV2(v2.album, v1.album);
        case TagFieldId::Year:
            return v1.yearText;
        case TagFieldId::Comments:
            return preferV2(v2.comment, v1.comment);
        case TagFieldId::Genre:
            return genreNameOf(holdsId3v1(record.format) ? v1 : v2);
        case TagFieldId::Composer:
            return v2.composer;
        case TagFieldId::Url:
            return v2.url;
        case TagFieldId::Publisher:
            return v2.publisher;
        case TagFieldId::Copyright:
            return v2.copyright;
        case TagFieldId::EncodedBy:
            return v2.encodedBy;
        case TagFieldId::OrigArtist:
            return v2.origArtist;
        case TagFieldId::Lyrics:
            return record.lyrics.inFile ? yes_ : no_;
        case TagFieldId::Picture:
            return record.pictures.hasFrontCover() ? yes_ : no_;
        case TagFieldId::Folder:
            return relativeFolder(record, options().workFolder);
    }
    return {};
}

std::string totalsText(const FileList& list) {
    const std::uint64_t size = list.totalSize();
    std::string text;
    if (size < 1024)
        text = base::trf(ids::kTotalsSizeBytes, static_cast<std::int64_t>(size));
    else if (size < 1024 * 1024)
        text = base::trf(ids::kTotalsSizeKb, static_cast<std::int64_t>(size >> 10));
    else
        text = base::trf(ids::kTotalsSizeMb, static_cast<std::int64_t>(size >> 20));

    std::int64_t selectedSeconds = 0;
    for (int index : list.selectedIndices())
        selectedSeconds += list.at(index).playSeconds;

    text += "\r\n";
    text += base::trf(ids::kTotalsDurationAll, durationText(list.totalSeconds()));
    text += "\r\n";
    text += base::trf(ids::kTotalsDurationSelected, durationText(selectedSeconds));
    return text;
}

}  // namespace tw::core
