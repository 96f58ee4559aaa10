// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/tag_fields.h"

namespace TagLib {
class PropertyMap;
namespace MP4 {
class Tag;
}
}  // namespace TagLib

namespace tw::core {

// The fields of the ID3v2 tab read from a Vorbis comment (FLAC, Ogg Vorbis, Opus) or from
// MP4 atoms, as TagLib names their keys:
//
//   field       key (the first value counts)      as the ID3v2 field reads
//   title       TITLE                             TIT2
//   artist      ARTIST, else ALBUMARTIST,         TPE1, else TPE2, TPE3, TCOM
//               else CONDUCTOR, else COMPOSER
//   album       ALBUM                             TALB
//   comment     COMMENT, else DESCRIPTION         COMM
//   year        DATE ("1999-05-12" is 1999)       TDRC / TYER
//   genre       GENRE (a number, "(17)Rock", a    TCON, but any other text is
//               name of the genre list)           kept (text_genre.h)
//   track       TRACKNUMBER ("n" or "n/N"), its   TRCK
//               total else from TRACKTOTAL or
//               TOTALTRACKS
//   composer    COMPOSER; copyright COPYRIGHT; encodedBy ENCODEDBY; origArtist
//               ORIGINALARTIST; publisher LABEL, else ORGANIZATION
//   lyrics      LYRICS                            USLT
//
// The tag and the lyrics become in the file and present when their keys are there (the
// tag also without them: such a file always has room for one); nothing is marked changed.
// Texts are cut at a zero character, as the ID3v2 fields are.
enum class FieldKey {
    Title,
    Artist,
    AlbumArtist,
    Conductor,
    Composer,
    Album,
    Comment,
    Description,
    Date,
    Genre,
    TrackNumber,
    TrackTotal,
    TotalTracks,
    Copyright,
    EncodedBy,
    OriginalArtist,
    Label,
    Organization,
    Lyrics,
};
inline constexpr std::size_t kFieldKeyCount = static_cast<std::size_t>(FieldKey::Lyrics) + 1;

// The first value of each of those keys that is there, in UTF-8.
class FieldValues {
public:
    // Keeps `text` unless the key has a value already.
    void offer(FieldKey key, std::string_view text);
    const std::optional<std::string>& operator[](FieldKey key) const {
        return values_[static_cast<std::size_t>(key)];
    }
    bool has(FieldKey key) const { return (*this)[key].has_value(); }

private:
    std::array<std::optional<std::string>, kFieldKeyCount> values_;
};

// Whether `name` is `upperName`, its letters of any case (as Vorbis comment names are).
bool isNamed(std::string_view name, std::string_view upperName);
// The key a field name stands for, its letters of any case.
std::optional<FieldKey> fieldKeyNamed(std::string_view name);

FieldValues fieldValuesOf(const TagLib::PropertyMap& map);
// The same from the atoms TagLib's MP4 tag turns into those keys, without the map of all.
FieldValues fieldValuesOf(const TagLib::MP4::Tag& tag);

// Those MP4 items by the names TagLib's tag gives them: an atom's four bytes, a freeform
// atom's "----:mean:name". MP4 has no atom for the other keys.
struct Mp4ItemKey {
    std::string_view name;
    FieldKey key;
};
inline constexpr std::array<Mp4ItemKey, 14> kMp4ItemKeys = {{
    {"\251nam", FieldKey::Title},
    {"\251ART", FieldKey::Artist},
    {"aART", FieldKey::AlbumArtist},
    {"----:com.apple.iTunes:CONDUCTOR", FieldKey::Conductor},
    {"\251wrt", FieldKey::Composer},
    {"\251alb", FieldKey::Album},
    {"\251cmt", FieldKey::Comment},
    {"\251day", FieldKey::Date},
    {"\251gen", FieldKey::Genre},
    {"trkn", FieldKey::TrackNumber},
    {"cprt", FieldKey::Copyright},
    {"\251too", FieldKey::EncodedBy},
    {"----:com.apple.iTunes:LABEL", FieldKey::Label},
    {"\251lyr", FieldKey::Lyrics},
}};
// The key of the MP4 item `name`, if one.
std::optional<FieldKey> mp4ItemKey(std::string_view name);
// A "trkn" item's pair as TagLib's map gives it: "n", or "n/N" with a total.
std::string mp4TrackText(int number, int total);
void readFieldValues(const FieldValues& values, TagV2Fields& fields, LyricsTag& lyrics);
void readPropertyFields(const TagLib::PropertyMap& map, TagV2Fields& fields, LyricsTag& lyrics);

}  // namespace tw::core
