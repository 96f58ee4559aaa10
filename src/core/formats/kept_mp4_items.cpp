// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/kept_mp4_items.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>

#include "core/formats/overlay_stream.h"

namespace tw::core {

namespace {

// The filler item: a free-form item of binary data, as long as the boxes kept.
const TagLib::String kFillerKey = "----:tunewright:room";
constexpr std::uint64_t kFillerMean = 10;  // "tunewright"
constexpr std::uint64_t kFillerName = 4;   // "room"
// Its box, its "mean" and "name" boxes (with version and flags) and its "data" box header.
constexpr std::uint64_t kFillerOverhead = 8 + 12 + kFillerMean + 12 + kFillerName + 16;

std::optional<std::vector<std::uint8_t>> bytesOf(const ByteReader& read, std::uint64_t start,
                                                 std::uint64_t end) {
    if (end - start > OverlayStream::kMostNewBytes)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(end - start));
    if (!read(start, bytes))
        return std::nullopt;
    return bytes;
}

// The boxes of a list read into `bytes`, at offsets within them.
std::optional<std::vector<Mp4Box>> itemBoxes(const std::vector<std::uint8_t>& bytes,
                                             const Mp4Box& list) {
    return mp4BoxesIn(readerOf(bytes), list.payload - list.start, bytes.size());
}

// The key TagLib files an item box under, read from the list's `bytes`: its name, but
// "gnre" (a number of the old genre list) for "\251gen" and "----" with the texts of its
// "mean" and "name" boxes; none when it reads no key from it.
std::optional<TagLib::String> itemKey(const std::vector<std::uint8_t>& bytes, const Mp4Box& box) {
    const std::string_view name(box.type.data(), 4);
    if (name == "gnre")
        return TagLib::String("\251gen", TagLib::String::Latin1);
    if (name != "----")
        return TagLib::String(std::string(name), TagLib::String::Latin1);
    const TagLib::ByteVector data(reinterpret_cast<const char*>(bytes.data() + box.payload),
                                  static_cast<unsigned int>(box.end - box.payload));
    TagLib::String key = "----";
    unsigned int at = 0;
    for (const char* part : {"mean", "name"}) {
        const unsigned int length = data.toUInt(at);
        if (length < 12 || data.mid(at + 4, 4) != part)
            return std::nullopt;
        key += ":" + TagLib::String(data.mid(at + 12, length - 12), TagLib::String::UTF8);
        at += length;
    }
    return key;
}

bool sameCovers(const TagLib::MP4::CoverArtList& a, const TagLib::MP4::CoverArtList& b) {
    if (a.size() != b.size())
        return false;
    for (auto i = a.begin(), j = b.begin(); i != a.end(); ++i, ++j)
        if (i->format() != j->format() || i->data() != j->data())
            return false;
    return true;
}

// Whether TagLib holds the same values in both. Of the number items (a bool, a byte, an
// int, a pair) the edits set only the track and disc pairs; any other number item found in
// both is the file's own, unchanged. (TagLib keeps every kind of number in one field, set
// only as wide as its kind, so reading it as another kind would read undefined bytes.)
bool sameItem(const TagLib::String& key, const TagLib::MP4::Item& a, const TagLib::MP4::Item& b) {
    if (a.atomDataType() != b.atomDataType() || a.toStringList() != b.toStringList() ||
        a.toByteVectorList() != b.toByteVectorList() ||
        !sameCovers(a.toCoverArtList(), b.toCoverArtList()))
        return false;
    const bool pair = key == "trkn" || key == "disk";
    return !pair || (a.toIntPair().first == b.toIntPair().first &&
                     a.toIntPair().second == b.toIntPair().second);
}

// About how many bytes TagLib renders an item's values into (their data, not the boxes).
std::uint64_t valueBytes(const TagLib::MP4::Item& item) {
    std::uint64_t bytes = 0;
    for (const TagLib::String& text : item.toStringList())
        bytes += text.size() * 4;  // UTF-8 at most four bytes a character
    for (const TagLib::ByteVector& data : item.toByteVectorList())
        bytes += data.size();
    for (const TagLib::MP4::CoverArt& cover : item.toCoverArtList())
        bytes += cover.data().size();
    return bytes;
}

std::set<TagLib::String> changedKeys(const TagLib::MP4::ItemMap& read,
                                     const TagLib::MP4::ItemMap& now) {
    std::set<TagLib::String> changed;
    for (const auto& [key, item] : read)
        if (!now.contains(key) || !sameItem(key, item, now[key]))
            changed.insert(key);
    for (const auto& [key, item] : now)
        if (!read.contains(key))
            changed.insert(key);
    return changed;
}

void appendBigEndian32(TagLib::ByteVector& out, std::uint64_t value) {
    out.append(TagLib::ByteVector::fromUInt(static_cast<unsigned int>(value)));
}

}  // namespace

std::optional<KeptMp4Items> KeptMp4Items::prepare(const ByteReader& file, std::uint64_t size,
                                                  const TagLib::MP4::ItemMap& read,
                                                  TagLib::MP4::Tag& edited) {
    const auto list = findMp4Ilst(file, size);
    const auto bytes = list ? bytesOf(file, list->start, list->end) : std::nullopt;
    const auto boxes = bytes ? itemBoxes(*bytes, *list) : std::nullopt;
    const TagLib::MP4::ItemMap now = edited.itemMap();
    const std::set<TagLib::String> changed = changedKeys(read, now);
    if (!boxes || (changed.contains(kFillerKey) && now.contains(kFillerKey)))
        return std::nullopt;

    // A cleared tag takes every box with it, those TagLib cannot read too.
    const bool cleared = now.isEmpty() && !read.isEmpty();
    KeptMp4Items kept;
    std::uint64_t keptBytes = 0;
    std::set<TagLib::String> placed;
    for (const Mp4Box& box : *boxes) {
        const auto key = itemKey(*bytes, box);
        if (!cleared && !(key && changed.contains(*key))) {
            kept.parts_.emplace_back(FileBox{list->start + box.start, list->start + box.end});
            keptBytes += box.end - box.start;
        } else if (key && now.contains(*key) && placed.insert(*key).second) {
            kept.parts_.emplace_back(*key);
        }
    }
    for (const TagLib::String& key : changed)
        if (now.contains(key) && !placed.contains(key))
            kept.parts_.emplace_back(key);

    // The list goes into the result twice (TagLib's stand-in, then the list): where that
    // might not fit the result's bound, as with covers of tens of megabytes, TagLib's own
    // list is written rather than the save refused.
    std::uint64_t listBytes = keptBytes;
    for (const TagLib::String& key : changed)
        if (now.contains(key))
            listBytes += valueBytes(now[key]);
    if (listBytes > OverlayStream::kMostNewBytes / 4)
        return std::nullopt;
    for (const auto& [key, item] : now)
        if (!changed.contains(key))
            edited.removeItem(key);
    if (keptBytes > 0) {
        // As long as the boxes kept, or when it cannot be that short, room for them and a
        // "free" box.
        const std::uint64_t length =
            keptBytes >= kFillerOverhead ? keptBytes : std::max(kFillerOverhead, keptBytes + 8);
        TagLib::ByteVectorList filler;
        filler.append(TagLib::ByteVector(static_cast<unsigned int>(length - kFillerOverhead)));
        edited.setItem(kFillerKey, filler);
    }
    return kept;
}

bool KeptMp4Items::put(OverlayStream& result) const {
    const ByteReader now = result.resultReader();
    const auto list = findMp4Ilst(now, result.size());
    const auto bytes = list ? bytesOf(now, list->start, list->end) : std::nullopt;
    const auto boxes = bytes ? itemBoxes(*bytes, *list) : std::nullopt;
    if (!boxes)
        return false;
    std::map<TagLib::String, Mp4Box> rendered;
    for (const Mp4Box& box : *boxes)
        if (const auto key = itemKey(*bytes, box))
            rendered.emplace(*key, box);

    const ByteReader was = result.originalReader();
    TagLib::ByteVector items;
    for (const auto& part : parts_) {
        if (const auto* box = std::get_if<FileBox>(&part)) {
            const auto kept = bytesOf(was, box->start, box->end);
            if (!kept)
                return false;
            items.append(TagLib::ByteVector(reinterpret_cast<const char*>(kept->data()),
                                            static_cast<unsigned int>(kept->size())));
        } else if (const auto found = rendered.find(std::get<TagLib::String>(part));
                   found != rendered.end()) {
            items.append(TagLib::ByteVector(
                reinterpret_cast<const char*>(bytes->data() + found->second.start),
                static_cast<unsigned int>(found->second.end - found->second.start)));
        }
    }

    const std::uint64_t room = list->end - list->start;
    const std::uint64_t length = 8 + std::uint64_t{items.size()};
    if (length > room || (length < room && room - length < 8))
        return false;
    TagLib::ByteVector written;
    appendBigEndian32(written, length);
    written.append("ilst");
    written.append(items);
    if (length < room) {
        appendBigEndian32(written, room - length);
        written.append("free");
        written.resize(static_cast<unsigned int>(room), '\0');
    }
    result.insert(written, static_cast<unsigned long>(list->start),
                  static_cast<unsigned long>(room));
    return true;
}

}  // namespace tw::core
