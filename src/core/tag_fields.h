// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tw::core {

// The fields of one tag version as the editor holds them, with the three state flags that
// decide what a save writes:
//   inFile  - the tag was in the file at the last read, or written by the last save;
//   changed - some field changed in memory since;
//   present - the tag exists in memory (false after Clear, and for a tag not yet created).
// A tag is to be written when (changed && present), removed when (!present && inFile).
//
// The setters are the only way commands edit fields: they keep the texts and numbers in
// step and mark the tag changed. Readers assign fields directly, without marking.
struct TagFields {
    bool inFile = false;
    bool changed = false;
    bool present = false;
    std::int32_t genre = -1;  // -1 none; 0..125, 254, 255 are GenreTable numbers
    // A genre that a tag holding genres as text (text_genre.h) names by a text of its own,
    // which names no genre of the table; genre is then -1. Empty in ID3 tags.
    std::string freeGenre;
    std::int32_t track = 0;  // 0 none
    std::int32_t trackTotal = 0;
    std::string trackText;  // decimal text of track, empty for 0
    std::int32_t year = 0;
    std::string yearText;
    std::string title;
    std::string artist;
    std::string album;
    std::string comment;

    bool dirty() const { return (changed && present) || (!present && inFile); }
    bool operator==(const TagFields&) const = default;

    // Text setters: only while the tag is present, and only when the text differs.
    void setTitle(std::string_view text);
    void setArtist(std::string_view text);
    void setAlbum(std::string_view text);
    void setComment(std::string_view text);

    // With "i2" on, 0 empties the year; otherwise a different number is stored with its
    // text. `present` is not consulted.
    void setYear(std::int32_t number, bool markChanged);
    // The leading number of `text` ("0" counts as empty) through setYear, while present.
    void setYearText(std::string_view text);

    // "n" or "n/total" ("0" counts as empty). The public form acts only while present and
    // when the text differs from trackText; assignTrackText is the form readers use.
    void setTrackText(std::string_view text);
    void assignTrackText(std::string_view text, bool markChanged);
    void setTrack(std::int32_t number, bool markChanged);
    // Sets the total; with markChanged, marks the tag changed (and present).
    void setTrackTotal(std::int32_t total, bool markChanged);

    // While present and when it differs; negatives other than -1 become -1. A free genre
    // goes with it.
    void setGenre(std::int32_t number);

    // Makes the tag exist in memory (for commands that create it), marking it changed.
    void makePresent() {
        changed = true;
        present = true;
    }

protected:
    void setText(std::string& field, std::string_view text);
    void markChange(bool markChanged);
};

// The ID3v2 tag: TagFields plus the six texts only ID3v2 holds.
struct TagV2Fields : TagFields {
    std::string url;
    std::string publisher;
    std::string origArtist;
    std::string copyright;
    std::string composer;
    std::string encodedBy;

    bool operator==(const TagV2Fields&) const = default;

    // Public forms (list, tag tabs): only while present and when the text differs.
    void setUrl(std::string_view text) { setV2Only(url, text); }
    void setPublisher(std::string_view text) { setV2Only(publisher, text); }
    void setOrigArtist(std::string_view text) { setV2Only(origArtist, text); }
    void setCopyright(std::string_view text) { setV2Only(copyright, text); }
    void setComposer(std::string_view text) { setV2Only(composer, text); }
    void setEncodedBy(std::string_view text) { setV2Only(encodedBy, text); }

    // Inner form: stores a differing text; marks changed with markChanged, and creates the
    // tag (changed and present) when it was not present, since ID3v2 is always saved.
    void assignV2Only(std::string& field, std::string_view text, bool markChanged);

private:
    void setV2Only(std::string& field, std::string_view text);
};

// The unsynchronised lyrics (first USLT frame of the ID3v2 tag).
struct LyricsTag {
    bool inFile = false;
    bool changed = false;
    bool present = false;
    std::string text;

    bool dirty() const { return (changed && present) || (!present && inFile); }
    bool operator==(const LyricsTag&) const = default;
};

// Leading decimal number of a text: optional blanks, optional sign, digits; 0 without
// digits. Saturates instead of overflowing.
std::int32_t leadingNumber(std::string_view text);

}  // namespace tw::core
