// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tw::core {

// The ID3v2 picture types, by their number in the frame.
inline constexpr int kPictureTypeCount = 21;
inline constexpr int kFrontCover = 3;

// What an attached picture frame ("APIC", in v2.2 "PIC") says about its picture, read from
// the start of the frame only: the image itself is neither copied nor decoded.
struct PictureInfo {
    int type = -1;               // 0..255 as stored; -1 when the frame is compressed or encrypted
    std::string mime;            // "image/jpeg"; a v2.2 format "JPG" becomes "image/jpeg"
    std::string description;     // UTF-8
    std::uint64_t byteSize = 0;  // of the image data

    bool operator==(const PictureInfo&) const = default;
};

// The picture frame whose header and first bytes are `head` (the rest of the frame need
// not be there), `length` bytes long as stored, in a tag of `version` (2, 3 or 4). Never
// reads outside `head`; a frame too short to hold its fields gives a picture of no bytes.
PictureInfo parsePictureHead(std::span<const std::uint8_t> head, std::uint64_t length, int version);

// The frame id of pictures in a tag of `version`.
inline std::string_view pictureFrameId(int version) {
    return version == 2 ? "PIC" : "APIC";
}

// One picture of a record: what the file holds (fileIndex: its place among the file's
// picture frames, in their order) or a picture added in memory (fileIndex -1, with its
// image bytes, shared by the copies of a record).
struct Picture {
    PictureInfo info;
    int fileIndex = -1;
    std::shared_ptr<const std::string> data;

    bool operator==(const Picture&) const = default;
};

// The pictures of a record, with the flag that makes a save write them.
struct PictureList {
    bool changed = false;
    std::vector<Picture> items;

    bool dirty() const { return changed; }
    bool operator==(const PictureList&) const = default;
    bool hasFrontCover() const;

    // A new picture: it takes the place of the pictures of its type (a file keeps one
    // picture per type, as players show the first), or goes last.
    void put(const PictureInfo& info, std::shared_ptr<const std::string> data);
    // A new picture beside the others: it takes the place only of the pictures ID3v2 allows
    // no second of (the same type and description; any other file icon of types 1 and 2),
    // or goes last. Whether it replaced one.
    bool add(const PictureInfo& info, std::shared_ptr<const std::string> data);
    // Removes the picture at `index`; false when there is none.
    bool remove(std::size_t index);
    // Removes the pictures of `type` (every one with -1); how many went.
    std::size_t removeType(int type);

private:
    template <typename Clashes>
    bool place(const PictureInfo& info, std::shared_ptr<const std::string> data, Clashes clashes);
};

// The MIME type of an image by its first bytes: "image/jpeg", "image/png"; empty for
// anything else.
std::string_view imageMimeType(std::string_view bytes);

}  // namespace tw::core
