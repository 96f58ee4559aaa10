// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/filename_to_tag.h"

#include "core/audio_file.h"
#include "core/formats/format_tags.h"
#include "core/genre_table.h"
#include "core/text_genre.h"
#include "rename/bounded_replace.h"
#include "rename/name_pattern.h"
#include "rename/symbol_table.h"

namespace tw::rename {

namespace {

using core::TagFields;

constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";

void trimWhiteSpaceAndCommas(std::string& value) {
    trimBoth(value, kWhiteSpace);
    trimBoth(value, ",");
}

std::string cleanValue(std::string value, const SymbolTable& table, CaseMode caseMode) {
    const std::size_t limit = growthLimit(value.size());
    for (const SymbolPair& pair : table.pairs) {
        trimWhiteSpaceAndCommas(value);
        replaceRepeatedly(value, pair.search, pair.replacement, limit);
        trimWhiteSpaceAndCommas(value);
    }
    return ConvertCase(value, caseMode);
}

// The field's current text, as the value read from the name is compared with it.
std::string currentText(const TagFields& tag, NameField field) {
    switch (field) {
        case NameField::Artist:
            return tag.artist;
        case NameField::Album:
            return tag.album;
        case NameField::Year:
            return tag.yearText;
        case NameField::Title:
            return tag.title;
        case NameField::Genre:
            return tag.freeGenre.empty() ? core::genreName(tag.genre) : tag.freeGenre;
        case NameField::Number:
            return tag.trackText;
        case NameField::Comment:
            return tag.comment;
        case NameField::Composer:
        case NameField::Skip:
            break;
    }
    return {};
}

bool holdsValue(const TagFields& tag, NameField field) {
    switch (field) {
        case NameField::Year:
            return tag.year != 0;
        case NameField::Number:
            return tag.track != 0;
        default:
            return !currentText(tag, field).empty();
    }
}

// `textGenre`: the tag holds the genre as text, so a text that names none of the table's
// genres (whatever its case) is one too.
void setField(TagFields& tag, NameField field, const std::string& value, bool textGenre) {
    switch (field) {
        case NameField::Artist:
            tag.setArtist(value);
            break;
        case NameField::Album:
            tag.setAlbum(value);
            break;
        case NameField::Year:
            tag.setYearText(value);
            break;
        case NameField::Title:
            tag.setTitle(value);
            break;
        case NameField::Genre:
            core::genreByName(tag, value);
            if (textGenre && tag.genre < 0)
                core::assignTextGenre(tag, value);
            tag.changed = true;
            break;
        case NameField::Number:
            tag.assignTrackText(value, true);
            break;
        case NameField::Comment:
            tag.setComment(value);
            break;
        case NameField::Composer:
        case NameField::Skip:
            break;
    }
}

// Writes one field of one tag by the rules of FillTagsFromName; true when it was set.
bool fillField(TagFields& tag, NameField field, const std::string& value, bool overwrite,
               bool textGenre) {
    if (value == currentText(tag, field))
        return false;
    if (!overwrite && holdsValue(tag, field))
        return false;
    if (field == NameField::Year && core::leadingNumber(value) == 0)
        return false;
    if (!tag.present)
        tag.makePresent();
    setField(tag, field, value, textGenre);
    return true;
}

bool fillComposer(core::TagV2Fields& tag, const std::string& value, bool overwrite) {
    if (value == tag.composer || (!overwrite && !tag.composer.empty()))
        return false;
    if (!tag.present)
        tag.makePresent();
    tag.assignV2Only(tag.composer, value, true);
    return true;
}

}  // namespace

std::vector<std::string> readNameValues(std::string_view baseName, const MaskPattern& pattern,
                                        const SymbolTable& table, CaseMode caseMode) {
    std::vector<std::string> values = MatchMask(baseName, pattern);
    for (std::string& value : values)
        value = cleanValue(std::move(value), table, caseMode);
    return values;
}

bool FillTagsFromName(core::AudioFile& file, std::string_view mask, const FillOptions& options,
                      const SymbolTable& table) {
    const MaskPattern pattern(mask);
    const std::vector<std::string> values =
        readNameValues(file.baseName, pattern, table, options.caseMode);
    if (values.empty())
        return false;
    bool anySet = false;
    for (std::size_t slot = 0; slot < pattern.slots().size(); ++slot) {
        const NameField field = pattern.slots()[slot];
        const std::string& value = values[slot];
        if (field == NameField::Skip)
            continue;
        if (field == NameField::Composer) {
            if (options.writeV2)
                anySet |= fillComposer(file.id3v2, value, options.overwrite);
            continue;
        }
        if (options.writeV1)
            anySet |= fillField(file.id3v1, field, value, options.overwrite, false);
        if (options.writeV2)
            anySet |= fillField(file.id3v2, field, value, options.overwrite,
                                core::holdsTextGenre(file.format));
    }
    return anySet;
}

bool FillTagsFromName(core::AudioFile& file, std::string_view mask, const FillOptions& options,
                      const base::SettingsStore& store) {
    return FillTagsFromName(file, mask, options, SymbolTable::load(store, kFilenameToTagTable));
}

}  // namespace tw::rename
