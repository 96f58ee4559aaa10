// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/vorbis_comment_listing.h"

#include <taglib/tbytevector.h>
#include <taglib/tstring.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "base/text.h"
#include "core/byte_order.h"

namespace tw::core {

namespace {

// A reader of the fields of a comment that checks every length against the comment.
class CommentCursor {
public:
    explicit CommentCursor(std::string_view comment) : rest_(comment) {}

    std::optional<std::uint32_t> number() {
        const auto bytes = this->bytes(4);
        if (!bytes)
            return std::nullopt;
        return littleEndian32(reinterpret_cast<const std::uint8_t*>(bytes->data()));
    }
    // The next `length` bytes, when the comment holds them.
    std::optional<std::string_view> bytes(std::uint32_t length) {
        if (length > rest_.size())
            return std::nullopt;
        const std::string_view out = rest_.substr(0, length);
        rest_.remove_prefix(length);
        return out;
    }

private:
    std::string_view rest_;
};

// The big-endian number at `offset` of the decoded head of a picture block.
std::optional<std::uint32_t> bigEndianAt(const TagLib::ByteVector& data, std::size_t offset) {
    if (data.size() < offset + 4)
        return std::nullopt;
    return data.toUInt(static_cast<unsigned>(offset));
}

// How many bytes base64 `text` decodes to.
std::size_t decodedSize(std::string_view text) {
    std::size_t padding = 0;
    while (padding < 2 && padding < text.size() && text[text.size() - 1 - padding] == '=')
        ++padding;
    return text.size() / 4 * 3 - std::min(text.size() / 4 * 3, padding);
}

// The head of a FLAC picture block from the first base64 characters of `text`, enough of
// them for `bytes` bytes.
TagLib::ByteVector decodedHead(std::string_view text, std::size_t bytes) {
    const std::size_t characters = std::min(text.size(), (bytes + 2) / 3 * 4);
    return TagLib::ByteVector::fromBase64(
        TagLib::ByteVector(text.data(), static_cast<unsigned>(characters)));
}

// What a base64 picture block describes: type, MIME type, description, image size. Only
// as much of the text is decoded as the head of the block needs.
std::optional<PictureInfo> pictureOf(std::string_view text) {
    // Type, the MIME type and the description with their lengths, width, height, depth,
    // colours, the image's length.
    constexpr std::size_t kFixed = 4 * 8;
    TagLib::ByteVector head = decodedHead(text, 512);
    const auto mimeLength = bigEndianAt(head, 4);
    if (!mimeLength || *mimeLength > text.size())
        return std::nullopt;
    const std::size_t descriptionAt = 8 + std::size_t{*mimeLength};
    if (head.size() < descriptionAt + 4)
        head = decodedHead(text, descriptionAt + 4);
    const auto descriptionLength = bigEndianAt(head, descriptionAt);
    if (!descriptionLength || *descriptionLength > text.size())
        return std::nullopt;
    const std::size_t headSize = kFixed + *mimeLength + *descriptionLength;
    if (head.size() < headSize)
        head = decodedHead(text, headSize);
    if (head.size() < headSize)
        return std::nullopt;
    const std::uint32_t dataLength = head.toUInt(static_cast<unsigned>(headSize - 4));
    // The image must lie within the block, as TagLib requires.
    if (dataLength > decodedSize(text) - std::min(decodedSize(text), headSize))
        return std::nullopt;
    return PictureInfo{
        .type = static_cast<int>(head.toUInt(0U)),
        .mime = listedText({head.data() + 8, *mimeLength}),
        .description = listedText({head.data() + descriptionAt + 4, *descriptionLength}),
        .byteSize = dataLength};
}

bool isFieldName(std::string_view name) {
    return !name.empty() &&
           std::all_of(name.begin(), name.end(), [](char c) { return c >= 0x20 && c <= 0x7d; });
}

}  // namespace

std::string listedText(std::string_view bytes) {
    std::string text = base::isValidUtf8(bytes)
                           ? std::string(bytes)
                           : TagLib::String(std::string(bytes), TagLib::String::UTF8).to8Bit(true);
    text.resize(std::min(text.size(), text.find('\0')));
    return text;
}

bool readCommentListing(std::string_view comment, CommentListing& out) {
    CommentCursor cursor(comment);
    const auto vendorLength = cursor.number();
    if (!vendorLength || !cursor.bytes(*vendorLength))
        return false;
    const auto count = cursor.number();
    if (!count)
        return false;
    // Every entry takes at least its length, so a damaged count ends with the bytes.
    for (std::uint32_t i = 0; i < *count; ++i) {
        const auto length = cursor.number();
        const auto entry = length ? cursor.bytes(*length) : std::nullopt;
        if (!entry)
            return false;
        const std::size_t separator = entry->find('=');
        if (separator == std::string_view::npos)
            continue;
        // TagLib's name ends at a zero, as all its texts do.
        const std::string_view name = entry->substr(0, std::min(separator, entry->find('\0')));
        if (!isFieldName(name))
            continue;  // TagLib leaves these out too
        const std::string_view value = entry->substr(separator + 1);
        if (const auto key = fieldKeyNamed(name)) {
            if (!out.values.has(*key))
                out.values.offer(*key, listedText(value));
        } else if (isNamed(name, "METADATA_BLOCK_PICTURE")) {
            if (auto picture = pictureOf(value))
                out.pictures.push_back(std::move(*picture));
        } else if (isNamed(name, "COVERART")) {
            // The older form: the image alone, of no stated type.
            out.pictures.push_back(
                {.type = 0, .mime = "image/", .description = {}, .byteSize = decodedSize(value)});
        }
    }
    return true;
}

}  // namespace tw::core
