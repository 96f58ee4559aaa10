// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/id3v2_frame_texts.h"

#include <algorithm>

namespace tw::core {

namespace {

constexpr std::uint8_t kLatin1 = 0;
constexpr std::uint8_t kUtf16 = 1;  // with a byte-order mark
constexpr std::uint8_t kUtf16BigEndian = 2;
constexpr std::uint8_t kUtf8 = 3;

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// How the bytes of one text are read. UTF-16 without a mark comes little-endian only where
// a text frame's first value says so for the values behind it.
enum class Form { Latin1, Utf16WithMark, Utf16BigEndian, Utf16LittleEndian, Utf8 };

Form formOf(std::uint8_t encoding) {
    switch (encoding) {
        case kLatin1:
            return Form::Latin1;
        case kUtf16:
            return Form::Utf16WithMark;
        case kUtf16BigEndian:
            return Form::Utf16BigEndian;
        default:
            return Form::Utf8;
    }
}

// The size of the zero that ends a text, and the step at which it is looked for.
std::size_t separatorSize(std::uint8_t encoding) {
    return encoding == kUtf16 || encoding == kUtf16BigEndian ? 2 : 1;
}

// The first separator at or behind `from`, at a multiple of its size from `from`.
std::size_t findSeparator(std::span<const std::uint8_t> bytes, std::size_t from, std::size_t size) {
    for (std::size_t at = from; at + size <= bytes.size(); at += size)
        if (bytes[at] == 0 && (size == 1 || bytes[at + 1] == 0))
            return at;
    return kNone;
}

// Writes `c` as UTF-8 at `out`; returns where it ends.
char* putUtf8(char* out, std::uint32_t c) {
    if (c < 0x80) {
        *out++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *out++ = static_cast<char>(0xC0 | (c >> 6));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (c >> 12));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (c >> 18));
        *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

// Lyrics run to kilobytes: a text is written into reused room as large as the longest
// UTF-8 its bytes can give (two bytes for a byte of ISO-8859-1, three for a UTF-16 unit),
// and handed over at its own size.
class Utf8Writer {
public:
    Utf8Writer(std::string& out, std::size_t most) : out_(out) {
        room().resize(most);
        end_ = room().data();
    }
    ~Utf8Writer() { out_.assign(room().data(), end_); }
    Utf8Writer(const Utf8Writer&) = delete;
    Utf8Writer& operator=(const Utf8Writer&) = delete;

    void put(std::uint32_t c) { end_ = putUtf8(end_, c); }
    void clear() { end_ = room().data(); }

private:
    static std::string& room() {
        thread_local std::string bytes;
        return bytes;
    }

    std::string& out_;
    char* end_;
};

// UTF-8 as TagLib's decoder takes it: no stray or missing continuation bytes, no overlong
// forms, no surrogates, nothing above U+10FFFF.
bool validUtf8(std::span<const std::uint8_t> bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::uint8_t lead = bytes[i];
        std::size_t length = 0;
        std::uint32_t c = 0;
        if (lead < 0x80) {
            length = 1;
            c = lead;
        } else if ((lead >> 5) == 0x6) {
            length = 2;
            c = lead & 0x1F;
        } else if ((lead >> 4) == 0xE) {
            length = 3;
            c = lead & 0x0F;
        } else if ((lead >> 3) == 0x1E) {
            length = 4;
            c = lead & 0x07;
        } else {
            return false;
        }
        if (bytes.size() - i < length)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (bytes[i + k] & 0x3F);
        }
        const std::size_t shortest = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF) || length != shortest)
            return false;
        i += length;
    }
    return true;
}

// The UTF-16 text of `bytes` up to its first zero; false for an unpaired surrogate, which
// TagLib cannot give as UTF-8 and gives as an empty text.
bool decodeUtf16(std::span<const std::uint8_t> bytes, Form form, std::string& out) {
    const std::size_t units = bytes.size() / 2;
    std::size_t first = 0;
    bool bigEndian = form == Form::Utf16BigEndian;
    if (form == Form::Utf16WithMark) {
        if (units == 0)
            return true;
        const unsigned mark = bytes[0] | (bytes[1] << 8);
        if (mark != 0xFEFF && mark != 0xFFFE)
            return true;
        bigEndian = mark == 0xFFFE;
        first = 1;
    }
    auto unit = [&](std::size_t index) -> std::uint32_t {
        const std::uint32_t a = bytes[2 * index];
        const std::uint32_t b = bytes[2 * index + 1];
        return bigEndian ? (a << 8) | b : (b << 8) | a;
    };
    Utf8Writer writer(out, 3 * units);
    for (std::size_t i = first; i < units; ++i) {
        std::uint32_t c = unit(i);
        if (c == 0)
            break;
        if (c >= 0xDC00 && c <= 0xDFFF) {
            writer.clear();
            return false;
        }
        if (c >= 0xD800 && c <= 0xDBFF) {
            const std::uint32_t trail = i + 1 < units ? unit(i + 1) : 0;
            if (trail < 0xDC00 || trail > 0xDFFF) {
                writer.clear();
                return false;
            }
            c = 0x10000 + ((c - 0xD800) << 10) + (trail - 0xDC00);
            ++i;
        }
        writer.put(c);
    }
    return true;
}

// The text of `bytes` in `form` into `out`; false as decodeUtf16 says.
bool decode(std::span<const std::uint8_t> bytes, Form form, std::string& out) {
    out.clear();
    switch (form) {
        case Form::Latin1: {
            Utf8Writer writer(out, 2 * bytes.size());
            for (std::uint8_t c : bytes) {
                if (c == 0)
                    break;
                writer.put(c);
            }
            return true;
        }
        case Form::Utf8:
            // TagLib drops a text that is not valid as a whole, before it is cut at a zero.
            if (validUtf8(bytes)) {
                const auto end = std::find(bytes.begin(), bytes.end(), 0);
                out.assign(bytes.begin(), end);
            }
            return true;
        default:
            return decodeUtf16(bytes, form, out);
    }
}

// The first two bytes of a UTF-16 text, big-endian: the byte-order mark if it has one.
std::uint16_t leadingUnit(std::span<const std::uint8_t> bytes) {
    return bytes.size() < 2 ? 0 : static_cast<std::uint16_t>((bytes[0] << 8) | bytes[1]);
}

bool isByteOrderMark(std::uint16_t unit) {
    return unit == 0xFEFF || unit == 0xFFFE;
}

}  // namespace

TextFrameValues::TextFrameValues(std::span<const std::uint8_t> body) {
    if (body.size() < 2) {
        done_ = true;
        return;
    }
    encoding_ = body[0];
    if (encoding_ > kUtf8) {
        done_ = true;
        readable_ = false;
        return;
    }
    // Zeros at the end are no separators; what is left is taken to a whole UTF-16 unit.
    const std::size_t step = separatorSize(encoding_);
    std::size_t last = body.size() - 1;
    while (last > 0 && body[last] == 0)
        --last;
    while (last % step != 0)
        ++last;
    data_ = body.subspan(1, std::min(last, body.size() - 1));
}

bool TextFrameValues::next(std::string& value) {
    const std::size_t step = separatorSize(encoding_);
    while (!done_) {
        const std::size_t separator = findSeparator(data_, position_, step);
        const std::size_t end = separator == kNone ? data_.size() : separator;
        const auto part = data_.subspan(position_, end - position_);
        const std::size_t index = index_++;
        done_ = separator == kNone;
        position_ = done_ ? data_.size() : separator + step;
        if (part.empty())
            continue;
        Form form = formOf(encoding_);
        if (encoding_ == kUtf16) {
            // Values behind the first that have no mark of their own take the first one's.
            const std::uint16_t lead = leadingUnit(part);
            if (index == 0)
                firstByteOrderMark_ = lead;
            else if (!isByteOrderMark(lead) && firstByteOrderMark_ == 0xFEFF)
                form = Form::Utf16BigEndian;
            else if (!isByteOrderMark(lead) && firstByteOrderMark_ == 0xFFFE)
                form = Form::Utf16LittleEndian;
        }
        broken_ = !decode(part, form, value);
        return true;
    }
    return false;
}

bool commentFrameText(std::span<const std::uint8_t> body, std::string& text) {
    text.clear();
    if (body.size() < 5)
        return true;
    const std::uint8_t encoding = body[0];
    if (encoding > kUtf8)
        return false;
    const auto described = body.subspan(4);  // behind the encoding and the language
    const std::size_t step = separatorSize(encoding);
    const std::size_t separator = findSeparator(described, 0, step);
    if (separator != kNone)
        decode(described.subspan(separator + step), formOf(encoding), text);
    return true;
}

bool userUrlFrameUrl(std::span<const std::uint8_t> body, std::string& url) {
    if (body.size() >= 2) {
        const std::uint8_t encoding = body[0];
        if (encoding > kUtf8)
            return false;
        const auto described = body.subspan(1);
        const std::size_t step = separatorSize(encoding);
        const std::size_t separator = findSeparator(described, 0, step);
        // The URL is always ISO-8859-1.
        if (separator != kNone)
            return decode(described.subspan(separator + step), Form::Latin1, url);
    }
    // Without the end of a description TagLib keeps what it read as a plain URL frame: the
    // whole body, the encoding byte too.
    return decode(body, Form::Latin1, url);
}

}  // namespace tw::core
