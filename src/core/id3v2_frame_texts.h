// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tw::core {

// The texts of ID3v2 frame bodies (as stored, without format flags), read straight from
// their bytes into UTF-8, giving exactly what TagLib 1.13's frames give through
// String::to8Bit(true), cut at the first zero character: a listing reads the fields of many
// files this way without building a frame object, and TagLib stays the reference. What
// TagLib gets wrong is copied too, so that both readings can never disagree: a UTF-16 text
// whose byte-order mark is missing or broken reads as empty, so does invalid UTF-8 and
// UTF-16 with an unpaired surrogate, and an odd last byte of UTF-16 is dropped.
//
// Where TagLib reads a text in a way these readers do not copy (an encoding byte above 3),
// they say so by returning false, and the caller has TagLib read the tag.

// The values of a text frame (T???), in their order: the text of each part between the
// separators, empty parts skipped (TagLib's TextIdentificationFrame::fieldList).
class TextFrameValues {
public:
    explicit TextFrameValues(std::span<const std::uint8_t> body);

    // The next value; false when there is none left or when TagLib would read the frame in
    // a way this does not copy (readable() then says so).
    bool next(std::string& value);
    bool readable() const { return readable_; }
    // The last value had UTF-16 that is no text, which TagLib holds as it stands but can
    // give only as an empty text: a reader that works on the value before it is given
    // (TCON) cannot use the empty text.
    bool lastWasBroken() const { return broken_; }

private:
    std::span<const std::uint8_t> data_;  // the values and their separators
    std::uint8_t encoding_ = 0;
    std::size_t position_ = 0;
    std::size_t index_ = 0;                 // of the next part, empty ones counted
    std::uint16_t firstByteOrderMark_ = 0;  // of the first part, read big-endian
    bool done_ = false;
    bool readable_ = true;
    bool broken_ = false;
};

// The text of a COMM or USLT frame (behind its language and description).
bool commentFrameText(std::span<const std::uint8_t> body, std::string& text);
// The URL of a WXXX frame (behind its description).
bool userUrlFrameUrl(std::span<const std::uint8_t> body, std::string& url);

}  // namespace tw::core
