// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/tag_fields.h"

#include <limits>

#include "core/app_options.h"

namespace tw::core {

namespace {

std::string numberText(std::int32_t n) {
    return n == 0 ? std::string() : std::to_string(n);
}

// Reads "%d/%d" the way the track text is read: returns how many numbers were read.
int scanTrack(std::string_view text, std::int32_t& track, std::int32_t& total) {
    auto readNumber = [](std::string_view& s, std::int32_t& out) {
        std::size_t i = 0;
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r'))
            ++i;
        std::size_t start = i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        std::size_t digits = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i;
        if (i == digits)
            return false;
        out = leadingNumber(s.substr(start, i - start));
        s.remove_prefix(i);
        return true;
    };
    if (!readNumber(text, track))
        return 0;
    if (text.empty() || text.front() != '/')
        return 1;
    text.remove_prefix(1);
    return readNumber(text, total) ? 2 : 1;
}

}  // namespace

std::int32_t leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                               text[i] == '\r' || text[i] == '\v' || text[i] == '\f'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kLimit + 1)
            value = kLimit + 1;
    }
    if (negative)
        return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(value > kLimit ? kLimit : value);
}

void TagFields::setText(std::string& field, std::string_view text) {
    if (!present || field == text)
        return;
    field.assign(text);
    changed = true;
}

void TagFields::markChange(bool markChanged) {
    if (!markChanged)
        return;
    changed = true;
    present = true;
}

void TagFields::setTitle(std::string_view text) {
    setText(title, text);
}
void TagFields::setArtist(std::string_view text) {
    setText(artist, text);
}
void TagFields::setAlbum(std::string_view text) {
    setText(album, text);
}
void TagFields::setComment(std::string_view text) {
    setText(comment, text);
}

void TagFields::setYear(std::int32_t number, bool markChanged) {
    if (options().zeroYearIsEmpty && number == 0) {
        yearText.clear();
        year = 0;
    } else if (number != year) {
        year = number;
        yearText = std::to_string(number);
    }
    if (markChanged)
        changed = true;
}

void TagFields::setYearText(std::string_view text) {
    if (text == "0")
        text = {};
    if (text == yearText || !present)
        return;
    const std::int32_t number = leadingNumber(text);
    if (number == year)
        return;
    setYear(number, true);
}

void TagFields::setTrackText(std::string_view text) {
    if (text == "0")
        text = {};
    if (text == trackText || !present)
        return;
    assignTrackText(text, true);
}

void TagFields::assignTrackText(std::string_view text, bool markChanged) {
    if (text == "0")
        text = {};
    std::int32_t newTrack = 0;
    std::int32_t newTotal = 0;
    if (scanTrack(text, newTrack, newTotal) < 2)
        newTotal = 0;
    setTrack(newTrack, markChanged);
    setTrackTotal(newTotal, markChanged);
}

void TagFields::setTrack(std::int32_t number, bool markChanged) {
    if (number == track)
        return;
    track = number;
    trackText = numberText(number);
    markChange(markChanged);
}

void TagFields::setTrackTotal(std::int32_t total, bool markChanged) {
    if (total == trackTotal)
        return;
    trackTotal = total;
    markChange(markChanged);
}

void TagFields::setGenre(std::int32_t number) {
    if (number < 0)
        number = -1;
    if ((number == genre && freeGenre.empty()) || !present)
        return;
    genre = number;
    freeGenre.clear();
    changed = true;
}

void TagV2Fields::assignV2Only(std::string& field, std::string_view text, bool markChanged) {
    if (field == text)
        return;
    field.assign(text);
    if (markChanged)
        changed = true;
    if (!present && AppOptions::kSaveV2) {
        changed = true;
        present = true;
    }
}

void TagV2Fields::setV2Only(std::string& field, std::string_view text) {
    if (field == text || !present)
        return;
    assignV2Only(field, text, true);
}

}  // namespace tw::core
