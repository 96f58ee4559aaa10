// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/kept_vorbis_comment.h"

#include <taglib/flacpicture.h>
#include <taglib/xiphcomment.h>

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/byte_order.h"

namespace tw::core {

namespace {

constexpr std::string_view kPictureKey = "METADATA_BLOCK_PICTURE";

// Every value of each key, in UTF-8, pictures as their entries hold them (base64).
using Values = std::map<std::string, std::vector<std::string>>;

std::uint32_t littleEndianAt(std::string_view data, std::size_t at) {
    return littleEndian32(reinterpret_cast<const std::uint8_t*>(data.data() + at));
}

void appendLength(std::string& out, std::size_t length) {
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>((length >> shift) & 0xFF);
}

// Calls `visit` with each entry ("key=value") of the comment `data` as far as TagLib reads
// them, so that both agree on what the file holds; returns its vendor string.
template <typename Visit>
std::string_view forEachEntry(std::string_view data, const Visit& visit) {
    if (data.size() < 8)
        return {};
    const std::size_t vendorLength = littleEndianAt(data, 0);
    if (vendorLength > data.size() - 8)
        return {};
    const std::uint32_t count = littleEndianAt(data, 4 + vendorLength);
    if (count > (data.size() - 8) / 4)
        return data.substr(4, vendorLength);
    std::size_t at = 8 + vendorLength;
    for (std::uint32_t i = 0; i < count && data.size() - at >= 4; ++i) {
        const std::size_t length = littleEndianAt(data, at);
        at += 4;
        if (length > data.size() - at)
            break;
        visit(data.substr(at, length));
        at += length;
    }
    return data.substr(4, vendorLength);
}

// The key TagLib files an entry under: what precedes its first '=', in capitals, both
// keys of pictures as one; none when TagLib cannot read the entry's key.
std::optional<std::string> keyOf(std::string_view entry) {
    const std::size_t separator = entry.find('=');
    if (separator == 0 || separator == std::string_view::npos)
        return std::nullopt;
    std::string key(entry.substr(0, separator));
    for (char& c : key) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte > 0x7D)
            return std::nullopt;
        if (byte >= 'a' && byte <= 'z')
            c = static_cast<char>(byte - 'a' + 'A');
    }
    return key == "COVERART" ? std::string(kPictureKey) : key;
}

Values valuesOf(TagLib::Ogg::XiphComment& comment) {
    Values values;
    for (const auto& [key, list] : comment.fieldListMap())
        for (const TagLib::String& value : list)
            values[key.to8Bit(true)].push_back(value.to8Bit(true));
    for (TagLib::FLAC::Picture* picture : comment.pictureList()) {
        const TagLib::ByteVector encoded = picture->render().toBase64();
        values[std::string(kPictureKey)].emplace_back(encoded.data(), encoded.size());
    }
    return values;
}

const std::vector<std::string>& valuesAt(const Values& values, const std::string& key) {
    static const std::vector<std::string> none;
    const auto found = values.find(key);
    return found == values.end() ? none : found->second;
}

// The entries as they are written, each behind its length.
struct Entries {
    std::string bytes;
    std::uint32_t count = 0;

    void add(std::string_view entry) {
        appendLength(bytes, entry.size());
        bytes += entry;
        ++count;
    }
    void add(std::string_view key, const std::vector<std::string>& values) {
        for (const std::string& value : values)
            add(std::string(key) + '=' + value);
    }
};

}  // namespace

TagLib::ByteVector renderKeptComment(const TagLib::ByteVector& fileComment,
                                     TagLib::Ogg::XiphComment& edited, bool framingBit) {
    TagLib::Ogg::XiphComment read(fileComment);
    const Values was = valuesOf(read);
    const Values now = valuesOf(edited);
    const bool cleared = now.empty() && !was.empty();

    Entries entries;
    std::set<std::string> seen;
    const auto keep = [&](std::string_view entry) {
        const auto key = keyOf(entry);
        if (!key) {
            if (!cleared)
                entries.add(entry);
            return;
        }
        const bool first = seen.insert(*key).second;
        if (valuesAt(was, *key) == valuesAt(now, *key))
            entries.add(entry);
        else if (first)
            entries.add(*key == kPictureKey ? kPictureKey : entry.substr(0, key->size()),
                        valuesAt(now, *key));
    };
    const std::string_view vendor =
        forEachEntry(std::string_view(fileComment.data(), fileComment.size()), keep);
    for (const auto& [key, values] : now)
        if (!seen.contains(key))
            entries.add(key, values);

    std::string out;
    appendLength(out, vendor.size());
    out += vendor;
    appendLength(out, entries.count);
    out += entries.bytes;
    if (framingBit)
        out += '\x01';
    return TagLib::ByteVector(out.data(), static_cast<unsigned int>(out.size()));
}

}  // namespace tw::core
