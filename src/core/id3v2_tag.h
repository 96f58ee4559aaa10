// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <taglib/id3v2frame.h>
#include <taglib/id3v2tag.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/id3v2_frame_walk.h"
#include "core/id3v2_header.h"
#include "core/picture_info.h"

namespace tw::core {

// What a save writes for an ID3v2 tag.
struct Id3v2Rendering {
    // The whole tag (header, frames, padding); empty when no frame is left, so the file is
    // to have no ID3v2 tag.
    TagLib::ByteVector bytes;
    // When not empty, the tag cannot be written without losing what lies here: the id of a
    // frame (or the bytes of damage) and its offset in the tag. `bytes` is then empty.
    std::string unkeptName;
    std::uint64_t unkeptOffset = 0;

    bool refused() const { return !unkeptName.empty(); }
};

// An ID3v2 tag parsed from bytes in memory (no file is opened): TagLib's frames to read and
// edit, and the frames exactly as the file holds them, to write back every frame that was
// not edited byte for byte.
//
// Why the program walks the frames itself and hands TagLib one frame at a time: TagLib
// 1.13 stops reading a tag at the first frame it cannot parse (an empty frame, a bad id, a
// frame running past the tag), misreads the extended header of a v2.3 tag and then finds
// no frame at all, maps some v2.2 ids to the wrong v2.3 ones, and reads the group byte of a
// grouped frame as its data; when it renders a tag it drops the flags of every frame (so
// encrypted frames become garbage and compressed ones change), rewrites frames it merely
// read ("(17)Rock" becomes "Rock"), and drops frames it cannot represent (TXXX without a
// description, v2.3-only frames, tag alter preservation). So the walk (id3v2_frame_walk.h)
// finds the frames; every frame TagLib can parse is parsed by TagLib's frame factory on its
// own, with its format flags undone first (id3v2_frame_format.h); v2.2 frames are first
// carried over to their v2.3 form by the program's own table; and render() writes the
// frames TagLib did not change as they were, and only edited or new frames as TagLib
// renders them.
//
// Editing goes through addFrame/removeFrame(s), never through TagLib's own removal: frames
// taken out are kept alive until this object goes, so that a frame's address always names
// the one frame of the file it came from. Fields of a frame may be changed in place, and
// the frame is then named to edited(): knowing which frames changed, render() renders only
// those, instead of parsing and rendering every frame to find out.
//
// Owns the TagLib tag (which owns its frames) and the removed frames. One object per file
// and thread.
class Id3v2Tag {
public:
    // Parses the tag whose header is `header` from `bytes` (the whole tag as far as the
    // file has it). With `onlyIds`, only the frames of those TagLib ids are copied and
    // parsed (a tag read for its fields: pictures and the like cost nothing), and the tag
    // cannot be rendered.
    Id3v2Tag(const Id3v2Header& header, std::span<const std::uint8_t> bytes,
             std::span<const std::string_view> onlyIds = {});
    // The same from the first `tagLength` bytes of a file read through `file`: of the frames
    // not among onlyIds only the headers and first bytes are read.
    Id3v2Tag(const Id3v2Header& header, ByteWindow& file, std::uint64_t tagLength,
             std::span<const std::string_view> onlyIds = {});
    // A new, empty tag.
    Id3v2Tag();
    ~Id3v2Tag();
    Id3v2Tag(const Id3v2Tag&) = delete;
    Id3v2Tag& operator=(const Id3v2Tag&) = delete;

    // The frames TagLib parsed, to read. Frames found here may be changed in place.
    const TagLib::ID3v2::Tag& tag() const { return *tag_; }

    void addFrame(std::unique_ptr<TagLib::ID3v2::Frame> frame);
    void removeFrame(TagLib::ID3v2::Frame* frame);
    // Removes every frame whose TagLib id is `id`.
    void removeFrames(const char* id);
    // Says that the fields of `frame` were changed in place: render() writes it as TagLib
    // renders it. A frame of the file not named here is written as the file held it.
    void edited(const TagLib::ID3v2::Frame* frame);

    // The attached pictures of the file's tag, in their order, as their frames' first bytes
    // tell (whether or not the frames were parsed).
    const std::vector<PictureInfo>& pictures() const { return pictures_; }
    // TagLib's parse of picture `index`: null when the frame was not parsed (not among
    // onlyIds, or TagLib cannot read it) or has been removed.
    TagLib::ID3v2::Frame* pictureFrame(std::size_t index) const;

    // The version the tag is written in: 4 for a v2.4 tag, 3 for all others.
    int writeVersion() const { return writeVersion_; }

    // The tag in writeVersion(). Frames TagLib did not change are written as the file held
    // them: id, flags and data byte for byte (a v2.2 frame in its v2.3 form, a v2.4 size
    // that was stored plainly in synchsafe form), in their order; an edited frame takes its old
    // place, a new frame the place of the first removed frame with its id, or goes last.
    // Empty frames are dropped. Refused when damage blocks the save, a v2.2 frame has no
    // v2.3 counterpart, or the tag was parsed for some frames only. The padding keeps the old tag's
    // size when the frames fit in it; a tag that grows gets 1 KiB and a tenth of its frames, so the
    // next edits fit. With `size`, at least the size render() gives, the padding fills the tag to
    // exactly that (a file that grows by whole blocks).
    Id3v2Rendering render(std::uint64_t size = 0) const;

    // Installs the program's TagLib defaults once per process (TagLib's diagnostics go
    // nowhere). Called by the constructors; cheap after the first call.
    static void initTagLib();

private:
    // One frame of the file, in the form it is written in.
    struct Entry {
        TagLib::ByteVector bytes;  // header and body as written back when unchanged
        std::string name;          // the id as the file has it, for messages
        std::uint64_t offset = 0;  // in the file's tag
        bool keepable = true;      // false: the written version has no place for it
        const TagLib::ID3v2::Frame* frame = nullptr;  // TagLib's parse, when it has one
    };

    FrameWanted wantedFrames(const Id3v2Header& header);
    void take(const Id3v2Header& header, const Id3v2FrameWalk& walk);
    void addEntry(const Id3v2RawFrame& raw, bool v22);
    bool isWanted(std::string_view id) const;
    TagLib::ByteVector rendered(const TagLib::ID3v2::Frame& frame) const;
    TagLib::ByteVector assemble(const TagLib::ByteVector& frames, std::uint64_t size) const;

    std::unique_ptr<TagLib::ID3v2::Header> tagLibHeader_;  // what the frame factory is told
    std::unique_ptr<TagLib::ID3v2::Tag> tag_;
    std::vector<std::unique_ptr<TagLib::ID3v2::Frame>> removed_;
    std::unordered_set<const TagLib::ID3v2::Frame*> edited_;
    std::vector<Entry> entries_;
    std::vector<PictureInfo> pictures_;
    std::vector<const TagLib::ID3v2::Frame*> pictureFrames_;  // parallel to pictures_
    std::vector<Id3v2Damage> damage_;
    std::uint64_t oldSize_ = 0;
    int writeVersion_ = 3;
    bool unsynchronised_ = false;                // a v2.4 tag whose every frame is unsynchronised
    std::span<const std::string_view> onlyIds_;  // empty: every frame
};

}  // namespace tw::core
