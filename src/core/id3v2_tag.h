#pragma once

#include <taglib/id3v2tag.h>
#include <taglib/tiostream.h>

#include <cstdint>
#include <memory>
#include <span>

#include "core/id3v2_header.h"

namespace tw::core {

// An ID3v2 tag held by TagLib, parsed from bytes in memory (no file is opened), ready to
// be read, edited frame by frame and rendered again.
//
// Owns the TagLib tag and the in-memory stream it was read from; frames handed out by
// tag() belong to the tag. One object per file and thread.
class Id3v2Tag {
public:
    // Parses the tag whose header is `header` from `bytes` (the whole tag as far as the
    // file has it).
    Id3v2Tag(const Id3v2Header& header, std::span<const std::uint8_t> bytes);
    // A new, empty tag.
    Id3v2Tag();
    ~Id3v2Tag();
    Id3v2Tag(const Id3v2Tag&) = delete;
    Id3v2Tag& operator=(const Id3v2Tag&) = delete;

    TagLib::ID3v2::Tag& tag() { return *tag_; }
    const TagLib::ID3v2::Tag& tag() const { return *tag_; }

    // The version the tag is written in: a v2.4 tag stays v2.4, all others become v2.3.
    TagLib::ID3v2::Version writeVersion() const { return writeVersion_; }

    // The tag in writeVersion(); empty when it holds no frame.
    TagLib::ByteVector render() const;

    // Installs the program's TagLib defaults once per process (TagLib's diagnostics go
    // nowhere). Called by the constructors; cheap after the first call.
    static void initTagLib();

private:
    class MemoryFile;
    std::unique_ptr<TagLib::IOStream> stream_;
    std::unique_ptr<MemoryFile> file_;
    std::unique_ptr<TagLib::ID3v2::Tag> tag_;
    TagLib::ID3v2::Version writeVersion_ = TagLib::ID3v2::v3;
};

}  // namespace tw::core
