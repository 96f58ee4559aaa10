// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/album_info.h"

#include <cstdio>
#include <limits>

#include "base/ascii.h"
#include "freedb/disc_id.h"

namespace tw::freedb {

namespace {
const std::string kEmpty;
}  // namespace

void AlbumInfo::markCompilation(std::string_view delimiter) {
    isCompilation_ = true;
    compilationDelimiter_ = delimiter;
}

const std::string& AlbumInfo::artist() const {
    return hasData_ ? artist_ : kEmpty;
}

const std::string& AlbumInfo::title() const {
    return hasData_ ? title_ : kEmpty;
}

const std::string& AlbumInfo::category() const {
    return hasData_ ? category_ : kEmpty;
}

const std::string& AlbumInfo::extendedData() const {
    return hasData_ ? extendedData_ : kEmpty;
}

const std::string& AlbumInfo::year() const {
    return (hasData_ && !tracks_.empty()) ? year_ : kEmpty;
}

void AlbumInfo::setArtist(std::string_view text) {
    artist_ = text;
    hasData_ = true;
}

void AlbumInfo::setTitle(std::string_view text) {
    title_ = text;
    hasData_ = true;
}

void AlbumInfo::setCategory(std::string_view text) {
    category_ = text;
    hasData_ = true;
}

void AlbumInfo::setDiscId(std::string_view id) {
    discId_ = base::asciiLower(id);
}

namespace {

// FNV-1a, over each text with its length, so that moving a character from one text to the
// next changes the result.
class Fnv1a {
public:
    void add(std::string_view text) {
        add(static_cast<std::uint64_t>(text.size()));
        for (char c : text)
            byte(static_cast<unsigned char>(c));
    }
    void add(std::uint64_t number) {
        for (int i = 0; i < 8; ++i)
            byte(static_cast<unsigned char>(number >> (i * 8)));
    }
    std::uint64_t value() const { return hash_; }

private:
    void byte(unsigned char b) {
        hash_ ^= b;
        hash_ *= 0x100000001B3ULL;
    }
    std::uint64_t hash_ = 0xCBF29CE484222325ULL;
};

}  // namespace

std::uint64_t AlbumInfo::fingerprint() const {
    Fnv1a hash;
    for (const std::string* text : {&artist_, &title_, &year_, &genre_, &extendedData_})
        hash.add(*text);
    hash.add(static_cast<std::uint64_t>(discLengthSeconds_));
    hash.add(static_cast<std::uint64_t>(isCompilation_));
    for (const AlbumTrack& track : tracks_) {
        hash.add(track.title());
        hash.add(track.artist());
        hash.add(track.extraData());
        hash.add(static_cast<std::uint64_t>(track.frameOffset()));
    }
    return hash.value();
}

bool AlbumInfo::editedSinceRead() const {
    return readFingerprint_.editedAfterRevision || !readFingerprint_.value ||
           *readFingerprint_.value != fingerprint();
}

std::uint32_t AlbumInfo::revisionToSubmit() const {
    if (!revision_)
        return 0;
    const bool canGrow = *revision_ < std::numeric_limits<std::uint32_t>::max();
    return editedSinceRead() && canGrow ? *revision_ + 1 : *revision_;
}

std::string AlbumInfo::discId() const {
    if (!discId_.empty() || tracks_.empty())
        return discId_;
    return DiscIdText(DiscIdOf(*this));
}

std::string AlbumInfo::lengthText() const {
    return FormatLength(discLengthSeconds_);
}

AlbumTrack* AlbumInfo::trackAt(std::size_t index) {
    if (index >= kMaxAlbumTracks)
        return nullptr;
    while (tracks_.size() <= index)
        tracks_.emplace_back(static_cast<std::uint32_t>(tracks_.size()));
    return &tracks_[index];
}

void AlbumInfo::setTrackArtist(std::size_t index, std::string_view artist) {
    tracks_[index].setArtist(artist);
    isCompilation_ = true;
}

std::uint32_t AlbumInfo::trackEnd(std::size_t index) const {
    if (!tracks_[index].hasFrameOffset())
        return 0;
    if (index + 1 < tracks_.size())
        return tracks_[index + 1].frameOffset();
    return discLengthSeconds_ * 75;
}

std::uint32_t AlbumInfo::trackLength(std::size_t index) const {
    if (!tracks_[index].hasFrameOffset())
        return 0;
    return trackEnd(index) - tracks_[index].frameOffset();
}

std::string AlbumInfo::trackLengthText(std::size_t index) const {
    return FormatLength(trackSeconds(index));
}

void AlbumInfo::clear() {
    *this = AlbumInfo();
}

std::string FormatLength(std::uint32_t seconds) {
    const unsigned h = seconds / 3600;
    const unsigned m = (seconds % 3600) / 60;
    const unsigned s = seconds % 60;
    char text[32];
    if (h == 0)
        std::snprintf(text, sizeof text, "%.02u:%.02u", m, s);
    else
        std::snprintf(text, sizeof text, "%.02u:%.02u:%.02u", h, m, s);
    return text;
}

}  // namespace tw::freedb
