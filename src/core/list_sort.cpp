#include "core/list_sort.h"

#include <algorithm>
#include <compare>
#include <numeric>
#include <string_view>
#include <vector>

#include "core/effective_value.h"
#include "core/list_cells.h"

namespace tw::core {

namespace {

int sign(std::strong_ordering order) {
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

int compareNumbers(std::int64_t a, std::int64_t b) {
    return sign(a <=> b);
}

// std::string_view compares its chars as unsigned bytes, as the system code page would.
int compareTexts(std::string_view a, std::string_view b) {
    const int result = a.compare(b);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

}  // namespace

int compareByColumn(const AudioFile& a, const AudioFile& b, TagFieldId column) {
    switch (column) {
        case TagFieldId::Filename:
            return compareTexts(listedName(a), listedName(b));
        case TagFieldId::Track:
            return compareNumbers(a.effectiveTrack(), b.effectiveTrack());
        case TagFieldId::FileSize:
            return compareNumbers(static_cast<std::int64_t>(a.size),
                                  static_cast<std::int64_t>(b.size));
        case TagFieldId::Created:
            return compareTexts(a.createdText, b.createdText);
        case TagFieldId::Changed:
            return compareTexts(a.changedText, b.changedText);
        case TagFieldId::PlayTime:
            return compareNumbers(a.playSeconds, b.playSeconds);
        case TagFieldId::Bitrate:
            return compareTexts(a.stream(StreamField::Bitrate), b.stream(StreamField::Bitrate));
        case TagFieldId::Channels:
            return compareTexts(a.stream(StreamField::Mode), b.stream(StreamField::Mode));
        case TagFieldId::Title:
            return compareTexts(preferV2(a.id3v2.title, a.id3v1.title),
                                preferV2(b.id3v2.title, b.id3v1.title));
        case TagFieldId::Artist:
            return compareTexts(preferV2(a.id3v2.artist, a.id3v1.artist),
                                preferV2(b.id3v2.artist, b.id3v1.artist));
        case TagFieldId::Album:
            return compareTexts(preferV2(a.id3v2.album, a.id3v1.album),
                                preferV2(b.id3v2.album, b.id3v1.album));
        case TagFieldId::Comments:
            return compareTexts(preferV2(a.id3v2.comment, a.id3v1.comment),
                                preferV2(b.id3v2.comment, b.id3v1.comment));
        case TagFieldId::Year:
            return compareNumbers(a.id3v1.year, b.id3v1.year);
        case TagFieldId::Genre:
            return compareNumbers(preferredGenre(a), preferredGenre(b));
        case TagFieldId::Lyrics:
            return compareNumbers(a.lyrics.inFile, b.lyrics.inFile);
        case TagFieldId::Composer:
            return compareTexts(a.id3v2.composer, b.id3v2.composer);
        case TagFieldId::Url:
            return compareTexts(a.id3v2.url, b.id3v2.url);
        case TagFieldId::Publisher:
            return compareTexts(a.id3v2.publisher, b.id3v2.publisher);
        case TagFieldId::Copyright:
            return compareTexts(a.id3v2.copyright, b.id3v2.copyright);
        case TagFieldId::EncodedBy:
            return compareTexts(a.id3v2.encodedBy, b.id3v2.encodedBy);
        case TagFieldId::OrigArtist:
            return compareTexts(a.id3v2.origArtist, b.id3v2.origArtist);
        case TagFieldId::Picture:
            return 0;
    }
    return 0;
}

void sortFileList(FileList& list, TagFieldId column, bool ascending) {
    std::vector<int> order(static_cast<std::size_t>(list.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int result = compareByColumn(list.at(a), list.at(b), column);
        return ascending ? result < 0 : result > 0;
    });
    list.reorder(order);
}

}  // namespace tw::core
