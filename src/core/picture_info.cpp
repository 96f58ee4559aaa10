// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/picture_info.h"

#include <taglib/id3v2synchdata.h>
#include <taglib/tstring.h>

#include <algorithm>

namespace tw::core {

namespace {

constexpr std::size_t kFrameHeader = 10;
constexpr std::size_t kV22FrameHeader = 6;

// Where a text of `encoding` ends (its terminator included) from `pos`; npos without one.
std::size_t textEnd(std::span<const std::uint8_t> body, std::size_t pos, std::uint8_t encoding) {
    const bool wide = encoding == 1 || encoding == 2;
    for (std::size_t i = pos; i < body.size(); i += wide ? 2 : 1) {
        if (!wide && body[i] == 0)
            return i + 1;
        if (wide && i + 1 < body.size() && body[i] == 0 && body[i + 1] == 0)
            return i + 2;
    }
    return std::string::npos;
}

std::string utf8Of(std::span<const std::uint8_t> text, std::uint8_t encoding) {
    static constexpr TagLib::String::Type kTypes[] = {TagLib::String::Latin1, TagLib::String::UTF16,
                                                      TagLib::String::UTF16BE,
                                                      TagLib::String::UTF8};
    if (text.empty() || encoding > 3)
        return {};
    const TagLib::ByteVector bytes(reinterpret_cast<const char*>(text.data()),
                                   static_cast<unsigned int>(text.size()));
    std::string out = TagLib::String(bytes, kTypes[encoding]).to8Bit(true);
    out.resize(std::min(out.size(), out.find('\0')));
    return out;
}

std::string mimeOfV22Format(std::string_view format) {
    std::string lower;
    for (char c : format)
        lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (lower == "jpg")
        return "image/jpeg";
    return lower.empty() ? std::string() : "image/" + lower;
}

}  // namespace

PictureInfo parsePictureHead(std::span<const std::uint8_t> head, std::uint64_t length,
                             int version) {
    PictureInfo info;
    const std::size_t headerSize = version == 2 ? kV22FrameHeader : kFrameHeader;
    if (head.size() < headerSize || length < headerSize)
        return info;
    std::uint64_t bodyLength = length - headerSize;
    std::span<const std::uint8_t> body = head.subspan(headerSize);

    // Flags that put bytes before the body or change it.
    TagLib::ByteVector decoded;
    if (version >= 3) {
        const std::uint8_t format = head[9];
        const bool packed = version == 3 ? (format & 0xC0) != 0 : (format & 0x0C) != 0;
        if (packed) {
            info.byteSize = bodyLength;
            return info;
        }
        std::size_t extra = 0;
        if (version == 3 && (format & 0x20))
            extra = 1;  // group id
        if (version == 4)
            extra = ((format & 0x40) ? 1 : 0) + ((format & 0x01) ? 4 : 0);
        if (body.size() < extra || bodyLength < extra)
            return info;
        const std::span<const std::uint8_t> stored = body;
        body = body.subspan(extra);
        bodyLength -= extra;
        if (version == 4 && (format & 0x02)) {
            const bool whole = body.size() >= bodyLength;
            decoded = TagLib::ID3v2::SynchData::decode(
                TagLib::ByteVector(reinterpret_cast<const char*>(body.data()),
                                   static_cast<unsigned int>(body.size())));
            body = {reinterpret_cast<const std::uint8_t*>(decoded.data()), decoded.size()};
            // The image is as long as the data is without its unsynchronisation: known from
            // the whole frame, else from the data length the frame gives.
            if (whole)
                bodyLength = decoded.size();
            else if (format & 0x01)
                bodyLength = TagLib::ID3v2::SynchData::toUInt(TagLib::ByteVector(
                    reinterpret_cast<const char*>(stored.data() + extra - 4), 4));
        }
    }
    if (body.empty())
        return info;

    const std::uint8_t encoding = body[0];
    std::size_t pos = 1;
    if (version == 2) {
        if (body.size() < 5)
            return info;
        info.mime = mimeOfV22Format({reinterpret_cast<const char*>(body.data() + 1), 3});
        pos = 4;
    } else {
        const std::size_t mimeEnd = textEnd(body, pos, 0);
        if (mimeEnd == std::string::npos || mimeEnd >= body.size())
            return info;
        info.mime.assign(reinterpret_cast<const char*>(body.data() + pos), mimeEnd - 1 - pos);
        pos = mimeEnd;
    }
    info.type = body[pos++];
    const std::size_t descriptionEnd = textEnd(body, pos, encoding);
    const std::size_t terminator = encoding == 1 || encoding == 2 ? 2 : 1;
    const std::size_t dataStart =
        descriptionEnd == std::string::npos ? body.size() : descriptionEnd;
    info.description = utf8Of(
        body.subspan(pos, dataStart - pos - (descriptionEnd == std::string::npos ? 0 : terminator)),
        encoding);
    info.byteSize = bodyLength > dataStart ? bodyLength - dataStart : 0;
    return info;
}

bool PictureList::hasFrontCover() const {
    return std::any_of(items.begin(), items.end(),
                       [](const Picture& p) { return p.info.type == kFrontCover; });
}

template <typename Clashes>
bool PictureList::place(const PictureInfo& info, std::shared_ptr<const std::string> data,
                        Clashes clashes) {
    const auto first = std::find_if(items.begin(), items.end(), clashes);
    const auto at = first - items.begin();
    if (first != items.end())
        items.erase(std::remove_if(first + 1, items.end(), clashes), items.end());
    Picture picture{info, -1, std::move(data)};
    changed = true;
    if (first == items.end()) {
        items.push_back(std::move(picture));
        return false;
    }
    items[static_cast<std::size_t>(at)] = std::move(picture);
    return true;
}

void PictureList::put(const PictureInfo& info, std::shared_ptr<const std::string> data) {
    place(info, std::move(data), [&](const Picture& p) { return p.info.type == info.type; });
}

bool PictureList::add(const PictureInfo& info, std::shared_ptr<const std::string> data) {
    constexpr int kFileIcon = 1;
    constexpr int kOtherFileIcon = 2;
    const bool icon = info.type == kFileIcon || info.type == kOtherFileIcon;
    return place(info, std::move(data), [&](const Picture& p) {
        return p.info.type == info.type && (icon || p.info.description == info.description);
    });
}

bool PictureList::remove(std::size_t index) {
    if (index >= items.size())
        return false;
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(index));
    changed = true;
    return true;
}

std::size_t PictureList::removeType(int type) {
    const std::size_t removed =
        std::erase_if(items, [&](const Picture& p) { return type == -1 || p.info.type == type; });
    changed |= removed > 0;
    return removed;
}

std::string_view imageMimeType(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xD8\xFF"))
        return "image/jpeg";
    if (bytes.starts_with("\x89PNG\r\n\x1A\n"))
        return "image/png";
    return {};
}

}  // namespace tw::core
