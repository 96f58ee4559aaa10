// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "core/tag_fields.h"

namespace TagLib {
class PropertyMap;
namespace Ogg {
class XiphComment;
}
namespace MP4 {
class Tag;
}
}  // namespace TagLib

namespace tw::core {

// The tag of a FLAC, Ogg Vorbis, Opus or MP4 file as the fields of the ID3v2 tab write it:
// one interface over a Vorbis comment and MP4 atoms, keyed by the Vorbis comment's names
// (the MP4 side maps them to its atoms, design.md's field map).
class FormatTag {
public:
    virtual ~FormatTag() = default;
    // What the file's tag holds now, as property_fields.h reads it.
    virtual TagLib::PropertyMap properties() const = 0;
    // Replaces every value of `key` with `text`; an empty text removes the key.
    virtual void set(std::string_view key, const std::string& text) = 0;
    // Track number and total (0: none) in the format's own way of holding them.
    virtual void setTrack(const TagFields& fields) = 0;
    // Takes every key out (the tag is cleared).
    virtual void clear() = 0;
};

// Writes the fields that no longer read as `fields` hold them; a key whose value already
// reads as the field's (a DATE of "1999-05-12" for 1999, a GENRE of "(17)") is left as it
// is, and so is every key no field maps to, with all of its values in their order.
void writeFormatFields(FormatTag& tag, const TagV2Fields& fields);
// LYRICS / ©lyr; an empty text removes it.
void writeFormatLyrics(FormatTag& tag, std::string_view text);

// The two kinds of tag. Neither owns what it edits.
class XiphTag final : public FormatTag {
public:
    explicit XiphTag(TagLib::Ogg::XiphComment& comment) : comment_(comment) {}
    TagLib::PropertyMap properties() const override;
    void set(std::string_view key, const std::string& text) override;
    void setTrack(const TagFields& fields) override;
    void clear() override;

private:
    TagLib::Ogg::XiphComment& comment_;
};

class Mp4Tag final : public FormatTag {
public:
    explicit Mp4Tag(TagLib::MP4::Tag& tag) : tag_(tag) {}
    TagLib::PropertyMap properties() const override;
    void set(std::string_view key, const std::string& text) override;
    void setTrack(const TagFields& fields) override;
    void clear() override;

private:
    TagLib::MP4::Tag& tag_;
};

}  // namespace tw::core
