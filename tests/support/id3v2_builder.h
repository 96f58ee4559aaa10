// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/bytes.h"

namespace tw::test {

// Text encodings of ID3v2 frames (the first byte of a text frame).
enum class TextEncoding : std::uint8_t { Latin1 = 0, Utf16 = 1, Utf16BE = 2, Utf8 = 3 };

// Encodes UTF-8 `text` in `encoding` (UTF-16 with a little-endian BOM); Latin-1 throws
// std::invalid_argument for characters it cannot hold.
Bytes encodeText(std::string_view utf8, TextEncoding encoding);
// The terminator of a text in `encoding` (one or two zero bytes).
Bytes textTerminator(TextEncoding encoding);

// Builds an ID3v2 tag byte by byte, in version 2.2, 2.3 or 2.4.
//
// Frame ids are taken as given (three characters for 2.2, four otherwise). Texts are UTF-8
// and encoded as asked. The size in the header is computed unless declaredSize() says
// otherwise, so tags whose sizes lie can be made too.
class Id3v2Builder {
public:
    explicit Id3v2Builder(int majorVersion = 3);

    // A text frame ("TIT2", ...); several values are separated by the encoding's NUL.
    Id3v2Builder& text(std::string_view id, std::string_view value,
                       TextEncoding encoding = TextEncoding::Latin1);
    Id3v2Builder& texts(std::string_view id, const std::vector<std::string>& values,
                        TextEncoding encoding = TextEncoding::Latin1);
    // COMM / USLT (COM / ULT in 2.2): language, description, text.
    Id3v2Builder& comment(std::string_view language, std::string_view description,
                          std::string_view value, TextEncoding encoding = TextEncoding::Latin1);
    Id3v2Builder& lyrics(std::string_view language, std::string_view description,
                         std::string_view value, TextEncoding encoding = TextEncoding::Latin1);
    Id3v2Builder& userText(std::string_view description, std::string_view value,
                           TextEncoding encoding = TextEncoding::Latin1);  // TXXX
    Id3v2Builder& userUrl(std::string_view description, std::string_view url,
                          TextEncoding encoding = TextEncoding::Latin1);  // WXXX
    // APIC (2.3/2.4 only).
    Id3v2Builder& picture(std::string_view mime, std::uint8_t type, std::string_view description,
                          const Bytes& data);
    Id3v2Builder& privateFrame(std::string_view owner, const Bytes& data);  // PRIV
    // Any frame: id, body bytes as given, and the two flag bytes (2.3/2.4).
    Id3v2Builder& raw(std::string_view id, const Bytes& body, std::uint16_t flags = 0);
    // A frame whose body is zlib-compressed, flagged as such with its data length first
    // (2.3/2.4).
    Id3v2Builder& compressed(std::string_view id, const Bytes& body);
    // How a frame's data is stored, with the flags that say so: a group byte (2.3/2.4), and
    // in 2.4 a data length indicator and unsynchronisation of the data, in the order 2.4
    // writers put them (group byte, data length, unsynchronised data).
    struct FrameFormat {
        std::optional<std::uint8_t> group;
        bool dataLength = false;
        bool unsynchronised = false;
    };
    Id3v2Builder& formatted(std::string_view id, const Bytes& body, const FrameFormat& format);
    // Bytes put into the frame stream as they are: junk, hand-made frame headers.
    Id3v2Builder& bytes(const Bytes& any);

    // An extended header (2.3: 10 bytes with a CRC flag clear; 2.4: 6 bytes). With `crc`
    // (2.3), 14 bytes ending in the CRC-32 of the frames.
    Id3v2Builder& extendedHeader(bool on = true, bool crc = false);
    // A footer behind the frames (2.4).
    Id3v2Builder& footer(bool on = true);
    // Zero bytes behind the frames.
    Id3v2Builder& padding(std::size_t bytes);
    // Whole-tag unsynchronisation (2.3: the body is unsynchronised and the flag set).
    Id3v2Builder& unsynchronisation(bool on = true);
    // Writes this tag size into the header instead of the real one.
    Id3v2Builder& declaredSize(std::uint32_t size);
    // Frame sizes of a 2.4 tag written plainly instead of synchsafe, as a writer known in
    // the wild does. Applies to the frames added afterwards.
    Id3v2Builder& plainFrameSizes(bool on = true);

    Bytes build() const;

private:
    Bytes frame(std::string_view id, const Bytes& body, std::uint16_t flags) const;

    int version_;
    Bytes frames_;
    bool extendedHeader_ = false;
    bool crc_ = false;
    bool footer_ = false;
    bool unsync_ = false;
    bool plainSizes_ = false;
    std::size_t padding_ = 0;
    long long declaredSize_ = -1;
};

// The ways writers store a frame's data behind its header, each named: a group byte in
// 2.3, and in 2.4 every mix of group byte, data length indicator and unsynchronisation.
struct NamedFrameFormat {
    const char* name;
    int version;
    Id3v2Builder::FrameFormat format;
};
std::vector<NamedFrameFormat> flaggedFrameFormats();

// A tag at the start of a file, taken apart the plain way (no unsynchronisation), to
// check what a writer produced.
struct Id3v2Frame {
    std::string id;
    std::uint16_t flags = 0;
    Bytes body;

    // The text of a frame that starts with an encoding byte, as written (without that byte).
    Bytes payload() const { return Bytes(body.begin() + (body.empty() ? 0 : 1), body.end()); }
};
struct ParsedId3v2 {
    int version = 0;
    std::size_t size = 0;  // header, body and footer
    std::vector<Id3v2Frame> frames;

    // The frames with this id, in order.
    std::vector<Id3v2Frame> all(std::string_view id) const;
    // The first frame with this id; throws when there is none.
    const Id3v2Frame& first(std::string_view id) const;
    bool has(std::string_view id) const { return !all(id).empty(); }
};
// Nothing when the file does not start with an ID3v2 tag.
std::optional<ParsedId3v2> parseId3v2(const Bytes& file);

// The four bytes of a synchsafe integer (seven bits per byte).
Bytes synchsafe(std::uint32_t value);

}  // namespace tw::test
