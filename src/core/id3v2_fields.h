// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/tag_fields.h"

namespace TagLib::ID3v2 {
class Tag;
}

namespace tw::core {

class Id3v2Tag;

// The mapping between the program's ID3v2 fields and the frames of a TagLib tag.
//
//   field       read from                              written to
//   title       TIT2                                   TIT2
//   artist      TPE1, else TPE2, else TPE3, else TCOM  TPE1
//   album       TALB                                   TALB
//   comment     first COMM                             first COMM (language, description kept)
//   year        TDRC (TagLib's name for v2.3 TYER)     TYER in v2.3, TDRC in v2.4
//   genre       TCON                                   TCON, as "(17)Rock"
//   track       TRCK, "n" or "n/total"                 TRCK
//   url         first WXXX, its URL                    first WXXX (description kept)
//   publisher   TPUB, origArtist TOPE, copyright TCOP, composer TCOM, encodedBy TENC
//   lyrics      first USLT                             first USLT (language, description kept)
//
// Texts read are the first value of a frame, cut at a zero character. Every other frame of
// the tag is left alone.

// The frames the fields are read from, by their TagLib ids (TagLib calls the TYER frame of
// a v2.3 tag TDRC); a tag parsed only for reading needs no other (Id3v2Tag's onlyIds).
// FieldFrame names the ids in their order.
inline constexpr std::array<std::string_view, 17> kReadFrameIds = {
    "TIT2", "TPE1", "TPE2", "TPE3", "TCOM", "TALB", "COMM", "TDRC", "TYER",
    "TCON", "TRCK", "WXXX", "TPUB", "TOPE", "TCOP", "TENC", "USLT",
};
enum class FieldFrame : std::size_t {
    Title,
    Artist,
    Band,
    Conductor,
    Composer,
    Album,
    Comment,
    Date,
    Year,
    Genre,
    Track,
    Url,
    Publisher,
    OrigArtist,
    Copyright,
    EncodedBy,
    Lyrics,
};

// What the fields are read from, by FieldFrame: of a text frame the first value of the first
// frame of that id (TCON as TagLib reads it: "(17)Rock" gives "Rock"), of COMM and USLT the
// text of the first frame, of WXXX the URL of the first frame, each cut at a zero character;
// none where the tag has no such frame.
class FieldFrameTexts {
public:
    std::optional<std::string>& operator[](FieldFrame frame) {
        return texts_[static_cast<std::size_t>(frame)];
    }
    const std::optional<std::string>& operator[](FieldFrame frame) const {
        return texts_[static_cast<std::size_t>(frame)];
    }
    void clear() { texts_.fill(std::nullopt); }
    bool operator==(const FieldFrameTexts&) const = default;

private:
    std::array<std::optional<std::string>, kReadFrameIds.size()> texts_;
};

// The texts TagLib's parse of a tag gives.
FieldFrameTexts fieldFrameTexts(const TagLib::ID3v2::Tag& tag);

// Sets the fields and the lyrics of a tag the file has from its texts (which are moved
// out): the ID3v2 fields become in the file and present, not changed; a field whose frame
// is missing keeps its value. The lyrics are in the file when there is a USLT frame;
// without one their flags are cleared.
void setId3v2Fields(FieldFrameTexts& texts, TagV2Fields& fields, LyricsTag& lyrics);

// The same from TagLib's parse of the tag.
void readId3v2Fields(const TagLib::ID3v2::Tag& tag, TagV2Fields& fields, LyricsTag& lyrics);

// The genre TCON values name: a plain number ("17", also what TagLib makes of "(17)"), a
// text as genreFromText reads it ("(17)Rock", "Rock"), or a name in TagLib's spelling of
// the ID3v1 list ("Psychedelic", what TagLib leaves of "(67)Psychedelic"). Of several
// values the first counts.
std::optional<std::int32_t> genreOfTconValue(std::string_view firstValue);

// Writes the fields into the tag, for the version it is written in. A field's frames are
// replaced only when they do not already read as its value, so untouched fields keep their
// frames exactly (encodings, several values, dates, "(17)Rock"). New texts are written in
// ISO-8859-1 when they fit, else in UTF-16.
void writeId3v2Fields(Id3v2Tag& tag, const TagV2Fields& fields);

// Puts `text` into the first USLT frame (a new one with language "XXX" and no description
// when there is none); an empty text removes every USLT frame.
void writeId3v2Lyrics(Id3v2Tag& tag, std::string_view text);

}  // namespace tw::core
