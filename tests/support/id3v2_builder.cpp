// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/id3v2_builder.h"

#include <zlib.h>

#include <stdexcept>

namespace tw::test {

namespace {

// UTF-8 to code points; the fixtures are trusted, so malformed input just throws.
std::vector<char32_t> codePoints(std::string_view utf8) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        if (i + static_cast<std::size_t>(extra) >= utf8.size())
            throw std::invalid_argument("bad UTF-8");
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        out.push_back(c);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

void appendUtf16(Bytes& out, char32_t c, bool bigEndian) {
    auto unit = [&](std::uint16_t u) {
        out.push_back(static_cast<std::uint8_t>(bigEndian ? u >> 8 : u & 0xFF));
        out.push_back(static_cast<std::uint8_t>(bigEndian ? u & 0xFF : u >> 8));
    };
    if (c < 0x10000) {
        unit(static_cast<std::uint16_t>(c));
    } else {
        c -= 0x10000;
        unit(static_cast<std::uint16_t>(0xD800 + (c >> 10)));
        unit(static_cast<std::uint16_t>(0xDC00 + (c & 0x3FF)));
    }
}

Bytes unsynchronise(const Bytes& in) {
    Bytes out;
    for (std::size_t i = 0; i < in.size(); ++i) {
        out.push_back(in[i]);
        if (in[i] == 0xFF && (i + 1 == in.size() || in[i + 1] >= 0xE0 || in[i + 1] == 0))
            out.push_back(0);
    }
    return out;
}

}  // namespace

Bytes encodeText(std::string_view utf8, TextEncoding encoding) {
    Bytes out;
    switch (encoding) {
        case TextEncoding::Latin1:
            for (char32_t c : codePoints(utf8)) {
                if (c > 0xFF)
                    throw std::invalid_argument("not Latin-1");
                out.push_back(static_cast<std::uint8_t>(c));
            }
            break;
        case TextEncoding::Utf16:
            out = {0xFF, 0xFE};
            for (char32_t c : codePoints(utf8))
                appendUtf16(out, c, false);
            break;
        case TextEncoding::Utf16BE:
            for (char32_t c : codePoints(utf8))
                appendUtf16(out, c, true);
            break;
        case TextEncoding::Utf8:
            append(out, utf8);
            break;
    }
    return out;
}

Bytes textTerminator(TextEncoding encoding) {
    const bool wide = encoding == TextEncoding::Utf16 || encoding == TextEncoding::Utf16BE;
    return Bytes(wide ? 2 : 1, 0);
}

Bytes synchsafe(std::uint32_t value) {
    return {static_cast<std::uint8_t>((value >> 21) & 0x7F),
            static_cast<std::uint8_t>((value >> 14) & 0x7F),
            static_cast<std::uint8_t>((value >> 7) & 0x7F),
            static_cast<std::uint8_t>(value & 0x7F)};
}

Id3v2Builder::Id3v2Builder(int majorVersion) : version_(majorVersion) {
    if (majorVersion < 2 || majorVersion > 4)
        throw std::invalid_argument("ID3v2 version");
}

Bytes Id3v2Builder::frame(std::string_view id, const Bytes& body, std::uint16_t flags) const {
    Bytes out = bytesOf(id);
    const auto size = static_cast<std::uint32_t>(body.size());
    if (version_ == 2) {
        appendBigEndian(out, size, 3);
    } else {
        if (version_ == 4 && !plainSizes_)
            append(out, synchsafe(size));
        else
            appendBigEndian(out, size, 4);
        appendBigEndian(out, flags, 2);
    }
    append(out, body);
    return out;
}

namespace {

// The head of a frame body that holds a described value: the encoding byte, the language
// (comments and lyrics only; cut to three letters), the description and its terminator.
Bytes describedBody(TextEncoding encoding, std::string_view language,
                    std::string_view description) {
    Bytes body{static_cast<std::uint8_t>(encoding)};
    append(body, language.substr(0, 3));
    append(body, encodeText(description, encoding));
    append(body, textTerminator(encoding));
    return body;
}

}  // namespace

Id3v2Builder& Id3v2Builder::raw(std::string_view id, const Bytes& body, std::uint16_t flags) {
    append(frames_, frame(id, body, flags));
    return *this;
}

Id3v2Builder& Id3v2Builder::compressed(std::string_view id, const Bytes& body) {
    if (version_ == 2)
        throw std::invalid_argument("compressed frames need 2.3 or 2.4");
    uLongf length = compressBound(static_cast<uLong>(body.size()));
    Bytes packed(length);
    if (compress(packed.data(), &length, body.data(), static_cast<uLong>(body.size())) != Z_OK)
        throw std::runtime_error("zlib");
    packed.resize(length);
    const auto size = static_cast<std::uint32_t>(body.size());
    Bytes data = version_ == 4 ? synchsafe(size) : Bytes{};
    if (version_ == 3)
        appendBigEndian(data, size, 4);
    append(data, packed);
    // 2.3: compression; 2.4: compression and data length indicator.
    return raw(id, data, version_ == 3 ? 0x0080 : 0x0009);
}

Id3v2Builder& Id3v2Builder::formatted(std::string_view id, const Bytes& body,
                                      const FrameFormat& format) {
    if (version_ == 2 || (version_ == 3 && (format.dataLength || format.unsynchronised)))
        throw std::invalid_argument("these frame flags need a later version");
    Bytes data;
    std::uint16_t flags = 0;
    if (format.group) {
        data.push_back(*format.group);
        flags |= version_ == 3 ? 0x0020 : 0x0040;
    }
    if (format.dataLength) {
        append(data, synchsafe(static_cast<std::uint32_t>(body.size())));
        flags |= 0x0001;
    }
    if (format.unsynchronised)
        flags |= 0x0002;
    append(data, format.unsynchronised ? unsynchronise(body) : body);
    return raw(id, data, flags);
}

std::vector<NamedFrameFormat> flaggedFrameFormats() {
    constexpr std::uint8_t kGroup = 0x80;  // group symbols start at 0x80
    return {
        {"2.3 grouped", 3, {.group = kGroup}},
        {"2.4 grouped", 4, {.group = kGroup}},
        {"2.4 data length", 4, {.group = {}, .dataLength = true}},
        {"2.4 unsynchronised", 4, {.group = {}, .unsynchronised = true}},
        {"2.4 grouped, data length", 4, {.group = kGroup, .dataLength = true}},
        {"2.4 grouped, unsynchronised", 4, {.group = kGroup, .unsynchronised = true}},
        {"2.4 data length, unsynchronised",
         4,
         {.group = {}, .dataLength = true, .unsynchronised = true}},
        {"2.4 all three", 4, {.group = kGroup, .dataLength = true, .unsynchronised = true}},
    };
}

Id3v2Builder& Id3v2Builder::bytes(const Bytes& any) {
    append(frames_, any);
    return *this;
}

Id3v2Builder& Id3v2Builder::text(std::string_view id, std::string_view value,
                                 TextEncoding encoding) {
    return texts(id, {std::string(value)}, encoding);
}

Id3v2Builder& Id3v2Builder::texts(std::string_view id, const std::vector<std::string>& values,
                                  TextEncoding encoding) {
    Bytes body{static_cast<std::uint8_t>(encoding)};
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            append(body, textTerminator(encoding));
        // Each value carries its own BOM in UTF-16.
        append(body, encodeText(values[i], encoding));
    }
    return raw(id, body);
}

Id3v2Builder& Id3v2Builder::comment(std::string_view language, std::string_view description,
                                    std::string_view value, TextEncoding encoding) {
    Bytes body = describedBody(encoding, language, description);
    append(body, encodeText(value, encoding));
    return raw(version_ == 2 ? "COM" : "COMM", body);
}

Id3v2Builder& Id3v2Builder::lyrics(std::string_view language, std::string_view description,
                                   std::string_view value, TextEncoding encoding) {
    Bytes body = describedBody(encoding, language, description);
    append(body, encodeText(value, encoding));
    return raw(version_ == 2 ? "ULT" : "USLT", body);
}

Id3v2Builder& Id3v2Builder::userText(std::string_view description, std::string_view value,
                                     TextEncoding encoding) {
    Bytes body = describedBody(encoding, "", description);
    append(body, encodeText(value, encoding));
    return raw(version_ == 2 ? "TXX" : "TXXX", body);
}

Id3v2Builder& Id3v2Builder::userUrl(std::string_view description, std::string_view url,
                                    TextEncoding encoding) {
    Bytes body = describedBody(encoding, "", description);
    append(body, url);
    return raw(version_ == 2 ? "WXX" : "WXXX", body);
}

Id3v2Builder& Id3v2Builder::picture(std::string_view mime, std::uint8_t type,
                                    std::string_view description, const Bytes& data) {
    if (version_ == 2)
        throw std::invalid_argument("APIC needs 2.3 or 2.4");
    Bytes body{0};
    append(body, mime);
    body.push_back(0);
    body.push_back(type);
    append(body, encodeText(description, TextEncoding::Latin1));
    body.push_back(0);
    append(body, data);
    return raw("APIC", body);
}

Id3v2Builder& Id3v2Builder::privateFrame(std::string_view owner, const Bytes& data) {
    Bytes body = bytesOf(owner);
    body.push_back(0);
    append(body, data);
    return raw("PRIV", body);
}

Id3v2Builder& Id3v2Builder::extendedHeader(bool on, bool crc) {
    if (crc && version_ != 3)
        throw std::invalid_argument("the CRC extended header is built for 2.3");
    extendedHeader_ = on;
    crc_ = crc;
    return *this;
}

Id3v2Builder& Id3v2Builder::footer(bool on) {
    footer_ = on;
    return *this;
}

Id3v2Builder& Id3v2Builder::padding(std::size_t bytes) {
    padding_ = bytes;
    return *this;
}

Id3v2Builder& Id3v2Builder::unsynchronisation(bool on) {
    if (on && version_ == 4)
        throw std::invalid_argument("whole-tag unsync is for 2.2/2.3");
    unsync_ = on;
    return *this;
}

Id3v2Builder& Id3v2Builder::plainFrameSizes(bool on) {
    plainSizes_ = on;
    return *this;
}

Id3v2Builder& Id3v2Builder::declaredSize(std::uint32_t size) {
    declaredSize_ = size;
    return *this;
}

Bytes Id3v2Builder::build() const {
    Bytes body;
    if (extendedHeader_) {
        if (version_ == 3) {
            appendBigEndian(body, crc_ ? 10 : 6, 4);  // size, without these four bytes
            appendBigEndian(body, crc_ ? 0x8000 : 0, 2);
            appendBigEndian(body, static_cast<std::uint32_t>(padding_), 4);
            if (crc_)
                appendBigEndian(body,
                                static_cast<std::uint32_t>(
                                    crc32(0, frames_.data(), static_cast<uInt>(frames_.size()))),
                                4);
        } else if (version_ == 4) {
            append(body, synchsafe(6));
            body.push_back(1);  // one flag byte
            body.push_back(0);
        }
    }
    append(body, frames_);
    body.resize(body.size() + padding_, 0);
    if (unsync_)
        body = unsynchronise(body);

    std::uint8_t flags = 0;
    if (unsync_)
        flags |= 0x80;
    if (extendedHeader_ && version_ != 2)
        flags |= 0x40;
    if (footer_ && version_ == 4)
        flags |= 0x10;
    const auto size = declaredSize_ >= 0 ? static_cast<std::uint32_t>(declaredSize_)
                                         : static_cast<std::uint32_t>(body.size());

    Bytes tag = bytesOf("ID3");
    tag.push_back(static_cast<std::uint8_t>(version_));
    tag.push_back(0);
    tag.push_back(flags);
    append(tag, synchsafe(size));
    append(tag, body);
    if (footer_ && version_ == 4) {
        append(tag, std::string_view("3DI"));
        tag.push_back(4);
        tag.push_back(0);
        tag.push_back(flags);
        append(tag, synchsafe(size));
    }
    return tag;
}

std::vector<Id3v2Frame> ParsedId3v2::all(std::string_view id) const {
    std::vector<Id3v2Frame> out;
    for (const Id3v2Frame& frame : frames)
        if (frame.id == id)
            out.push_back(frame);
    return out;
}

const Id3v2Frame& ParsedId3v2::first(std::string_view id) const {
    for (const Id3v2Frame& frame : frames)
        if (frame.id == id)
            return frame;
    throw std::out_of_range("no frame " + std::string(id));
}

std::optional<ParsedId3v2> parseId3v2(const Bytes& file) {
    if (file.size() < 10 || file[0] != 'I' || file[1] != 'D' || file[2] != '3')
        return std::nullopt;
    ParsedId3v2 tag;
    tag.version = file[3];
    const auto word = [&](std::size_t at, bool synchsafeWord) {
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < 4; ++i)
            v = synchsafeWord ? (v << 7) | file[at + i] : (v << 8) | file[at + i];
        return v;
    };
    const std::size_t bodyEnd = 10 + word(6, true);
    tag.size = bodyEnd + ((tag.version == 4 && (file[5] & 0x10)) ? 10 : 0);
    std::size_t pos = 10;
    if (file[5] & 0x40)
        pos += tag.version == 3 ? 4 + word(10, false) : word(10, true);
    const std::size_t idLength = tag.version == 2 ? 3 : 4;
    const std::size_t headerLength = tag.version == 2 ? 6 : 10;
    while (pos + headerLength <= bodyEnd && pos + headerLength <= file.size() && file[pos] != 0) {
        Id3v2Frame frame;
        frame.id.assign(file.begin() + static_cast<std::ptrdiff_t>(pos),
                        file.begin() + static_cast<std::ptrdiff_t>(pos + idLength));
        std::size_t size = 0;
        if (tag.version == 2) {
            size = (std::size_t{file[pos + 3]} << 16) | (std::size_t{file[pos + 4]} << 8) |
                   file[pos + 5];
        } else {
            size = word(pos + 4, tag.version == 4);
            frame.flags = static_cast<std::uint16_t>((file[pos + 8] << 8) | file[pos + 9]);
        }
        pos += headerLength;
        if (pos + size > file.size())
            break;
        frame.body.assign(file.begin() + static_cast<std::ptrdiff_t>(pos),
                          file.begin() + static_cast<std::ptrdiff_t>(pos + size));
        tag.frames.push_back(std::move(frame));
        pos += size;
    }
    return tag;
}

}  // namespace tw::test
