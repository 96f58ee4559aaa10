// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/mask_expansion.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "base/ascii.h"
#include "core/audio_file.h"
#include "core/effective_value.h"
#include "rename/bounded_replace.h"
#include "rename/symbol_table.h"

namespace tw::rename {

namespace {

using core::AudioFile;
using core::EffectiveField;
using core::EffectiveValue;

constexpr std::string_view kExtension = ".mp3";
constexpr std::string_view kUpLevel = "..\\";
// Far beyond any path a file system takes; a longer expansion can only come from hostile
// tags whose values name later tokens over and over.
constexpr std::size_t kMaxExpandedLength = 64 * 1024;

// What a token of the expansion stands for.
enum class Source {
    Artist,
    Album,
    Year,
    Title,
    Genre,
    Number,
    Comment,
    Counter,
    Playtime,
    Bitrate,
    Composer,
    OrigArtist,
    Copyright,
    Url,
    EncodedBy,
    FileName,
    FileNumber,
};

struct Step {
    std::string_view token;
    Source source;
};

// The expansion order. The last four ID3v2 texts are expanded under these spellings only;
// the token table's "<orig_artist>" and its like stay literal.
constexpr std::array<Step, 17> kExpansionOrder{{
    {"<artist>", Source::Artist},
    {"<album>", Source::Album},
    {"<year>", Source::Year},
    {"<title>", Source::Title},
    {"<genre>", Source::Genre},
    {"<number>", Source::Number},
    {"<comment>", Source::Comment},
    {"<counter>", Source::Counter},
    {"<playtime>", Source::Playtime},
    {"<bitrate>", Source::Bitrate},
    {"<composer>", Source::Composer},
    {"<Orig. Artist>", Source::OrigArtist},
    {"<Copyright>", Source::Copyright},
    {"<URL>", Source::Url},
    {"<Encoded by>", Source::EncodedBy},
    {"<filename>", Source::FileName},
    {"<filenumber>", Source::FileNumber},
}};

std::string valueOf(Source source, const AudioFile& file, FilePlace place,
                    CounterSettings counter) {
    switch (source) {
        case Source::Artist:
            return EffectiveValue(file, EffectiveField::Artist);
        case Source::Album:
            return EffectiveValue(file, EffectiveField::Album);
        case Source::Year:
            return EffectiveValue(file, EffectiveField::Year);
        case Source::Title:
            return EffectiveValue(file, EffectiveField::Title);
        case Source::Genre:
            return EffectiveValue(file, EffectiveField::Genre);
        case Source::Number:
            return trackNumberText(file.effectiveTrack());
        case Source::Comment:
            return EffectiveValue(file, EffectiveField::Comment);
        case Source::Counter:
            return counterText(place.position, counter);
        case Source::Playtime:
            return file.stream(core::StreamField::Length);
        case Source::Bitrate:
            return file.stream(core::StreamField::Bitrate);
        case Source::Composer:
            return file.id3v2.composer;
        case Source::OrigArtist:
            return file.id3v2.origArtist;
        case Source::Copyright:
            return file.id3v2.copyright;
        case Source::Url:
            return file.id3v2.url;
        case Source::EncodedBy:
            return file.id3v2.encodedBy;
        case Source::FileName:
            return file.baseName;
        case Source::FileNumber:
            return std::to_string(place.fileIndex);
    }
    return {};
}

std::size_t leadingUpLevels(std::string_view mask) {
    std::size_t count = 0;
    while (mask.substr(count * kUpLevel.size()).starts_with(kUpLevel))
        ++count;
    return count;
}

// Whether the file part holds nothing but separators and punctuation: a mask whose tokens
// were all empty (" - .mp3") names no file.
bool hasNoName(std::string_view name) {
    std::string_view stem = name;
    if (base::endsWithNoCase(stem, kExtension))
        stem.remove_suffix(kExtension.size());
    stem.remove_prefix(std::min(stem.size(), stem.rfind('\\') + 1));
    return std::none_of(stem.begin(), stem.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x80 || std::isalnum(byte);
    });
}

// Whether the "\"-separated parts of `name` climb no higher than `allowedUpLevels` and only
// at the start.
bool staysInAllowedFolders(std::string_view name, std::size_t allowedUpLevels) {
    bool leading = true;
    std::size_t upLevels = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = name.find('\\', start);
        const std::string_view part = name.substr(start, end - start);
        if (part == "..") {
            if (!leading || ++upLevels > allowedUpLevels)
                return false;
        } else {
            leading = false;
        }
        if (end == std::string_view::npos)
            return true;
        start = end + 1;
    }
}

}  // namespace

std::size_t fixedFolderLength(std::string_view mask) {
    if (!mask.starts_with('\\'))
        return leadingUpLevels(mask) * kUpLevel.size();
    const std::size_t separator = mask.rfind('\\', mask.find('<'));
    return separator == std::string_view::npos ? 0 : separator + 1;
}

std::string nameSafeValue(std::string value) {
    for (char& c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\')
            c = '/';
        else if (byte < 0x20 || byte == 0x7f)
            c = ' ';
    }
    return value;
}

std::string counterText(int position, CounterSettings counter) {
    const int digits = std::clamp(counter.length, 1, 6);
    std::string text = std::to_string(static_cast<std::int64_t>(position) + counter.start);
    const bool negative = text.front() == '-';
    const std::size_t shown = text.size() - (negative ? 1 : 0);
    if (shown < static_cast<std::size_t>(digits))
        text.insert(negative ? 1 : 0, static_cast<std::size_t>(digits) - shown, '0');
    return text;
}

std::string trackNumberText(std::int32_t number) {
    if (number <= 0)
        return {};
    std::string text = std::to_string(number);
    return number < 10 ? "0" + text : text;
}

Expansion expandMaskChecked(const AudioFile& file, std::string_view mask, FilePlace place,
                            CounterSettings counter, CaseMode caseMode, const SymbolTable& table) {
    if (mask.size() > kMaxExpandedLength)
        return {{}, NameRefusal::TooLong};
    const std::string_view fixed = mask.substr(0, fixedFolderLength(mask));
    std::string name(mask.substr(fixed.size()));
    for (const Step& step : kExpansionOrder) {
        if (name.find(step.token) == std::string::npos)
            continue;
        if (!replaceToken(name, step.token,
                          nameSafeValue(valueOf(step.source, file, place, counter)),
                          kMaxExpandedLength))
            return {{}, NameRefusal::TooLong};
    }
    if (name.empty())
        return {{}, NameRefusal::Empty};
    if (!base::endsWithNoCase(name, kExtension))
        name += kExtension;
    name = ConvertCase(ApplySymbolTable(name, table), caseMode);
    if (hasNoName(name))
        return {{}, NameRefusal::NoValues};
    name.insert(0, fixed);
    // Here "/" would split a part the checks below read as one (a folder of the mask's own
    // text as much as a tag value), so no name ever holds it.
    std::replace(name.begin(), name.end(), '/', '-');
    if (!staysInAllowedFolders(name, leadingUpLevels(mask)))
        return {{}, NameRefusal::LeavesAllowedFolders};
    return {std::move(name), NameRefusal::None};
}

std::string ExpandMask(const AudioFile& file, std::string_view mask, FilePlace place,
                       CounterSettings counter, CaseMode caseMode, const SymbolTable& table) {
    return expandMaskChecked(file, mask, place, counter, caseMode, table).name;
}

std::string ExpandMask(const AudioFile& file, std::string_view mask, FilePlace place,
                       CounterSettings counter, CaseMode caseMode,
                       const base::SettingsStore& store) {
    return ExpandMask(file, mask, place, counter, caseMode,
                      SymbolTable::load(store, kTagToFilenameTable));
}

}  // namespace tw::rename
