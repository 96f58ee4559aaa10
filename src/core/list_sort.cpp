// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/list_sort.h"

#include <algorithm>
#include <compare>
#include <numeric>
#include <string_view>
#include <vector>

#include "base/ascii.h"
#include "core/app_options.h"
#include "core/effective_value.h"
#include "core/list_cells.h"
#include "core/relative_folder.h"

namespace tw::core {

namespace {

int sign(std::strong_ordering order) {
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

int compareNumbers(std::int64_t a, std::int64_t b) {
    return sign(a <=> b);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

unsigned char byteOf(char c, bool ignoreCase) {
    return static_cast<unsigned char>(ignoreCase ? base::asciiLower(c) : c);
}

// The digit run that starts at `pos`, without its leading zeros; `pos` moves past the run.
std::string_view digitRun(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && text[pos] == '0' && pos + 1 < text.size() && isDigit(text[pos + 1]))
        ++pos;
    const std::size_t start = pos;
    while (pos < text.size() && isDigit(text[pos]))
        ++pos;
    return text.substr(start, pos - start);
}

// The natural comparison without the final tie-break. A digit run meets a non-digit byte as
// its first digit would, and every digit lies between the same two neighbours of the byte
// order, so the order stays transitive.
int compareRuns(std::string_view a, std::string_view b, bool ignoreCase) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            const std::string_view x = digitRun(a, i);
            const std::string_view y = digitRun(b, j);
            if (x.size() != y.size())
                return x.size() < y.size() ? -1 : 1;
            if (const int order = x.compare(y); order != 0)
                return order < 0 ? -1 : 1;
            continue;
        }
        const unsigned char x = byteOf(a[i], ignoreCase);
        const unsigned char y = byteOf(b[j], ignoreCase);
        if (x != y)
            return x < y ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size())
        return 1;
    return j < b.size() ? -1 : 0;
}

int compareTexts(std::string_view a, std::string_view b) {
    return compareNatural(a, b);
}

}  // namespace

int compareNatural(std::string_view a, std::string_view b, bool ignoreCase) {
    if (const int order = compareRuns(a, b, ignoreCase); order != 0)
        return order;
    if (ignoreCase)
        return compareNatural(a, b, false);
    // std::string_view compares its chars as unsigned bytes, as the system code page would.
    const int order = a.compare(b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

bool listsBefore(std::string_view a, std::string_view b) {
    return compareNatural(a, b, true) < 0;
}

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
            if (const int order = compareNumbers(preferredGenre(a), preferredGenre(b)))
                return order;
            return compareTexts(a.id3v2.freeGenre, b.id3v2.freeGenre);
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
        case TagFieldId::Folder:
            return compareTexts(relativeFolder(a, options().workFolder),
                                relativeFolder(b, options().workFolder));
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
