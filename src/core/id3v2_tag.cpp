#include "core/id3v2_tag.h"

#include <taglib/id3v2synchdata.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/tdebuglistener.h>
#include <taglib/tfile.h>
#include <taglib/unknownframe.h>

#include <mutex>

namespace tw::core {

namespace {

class SilentListener : public TagLib::DebugListener {
public:
    void printMessage(const TagLib::String&) override {}
};

// TagLib reads the v2.3 frames that v2.4 dropped (volume and equaliser settings, recording
// dates, size) but marks them to be discarded when the tag is written. Fresh copies of them
// carry no such mark, so a v2.3 tag written back keeps them.
void keepV23OnlyFrames(TagLib::ID3v2::Tag& tag) {
    for (const char* id : {"EQUA", "RVAD", "TRDA", "TSIZ"}) {
        const TagLib::ID3v2::FrameList frames = tag.frameList(id);
        for (TagLib::ID3v2::Frame* frame : frames) {
            const auto* unknown = dynamic_cast<TagLib::ID3v2::UnknownFrame*>(frame);
            if (!unknown)
                continue;
            // A complete frame in v2.4 layout, which is what this constructor parses.
            TagLib::ByteVector bytes(id);
            bytes.append(TagLib::ID3v2::SynchData::fromUInt(unknown->data().size()));
            bytes.append(TagLib::ByteVector(2, '\0'));
            bytes.append(unknown->data());
            auto copy = std::make_unique<TagLib::ID3v2::UnknownFrame>(bytes);
            tag.removeFrame(frame);
            tag.addFrame(copy.release());
        }
    }
}

}  // namespace

// TagLib reads a tag through a File; this one serves the bytes of an in-memory stream
// and is never saved.
class Id3v2Tag::MemoryFile : public TagLib::File {
public:
    explicit MemoryFile(TagLib::IOStream* stream) : TagLib::File(stream) {}
    TagLib::Tag* tag() const override { return nullptr; }
    TagLib::AudioProperties* audioProperties() const override { return nullptr; }
    bool save() override { return false; }
};

void Id3v2Tag::initTagLib() {
    static std::once_flag once;
    std::call_once(once, [] {
        static SilentListener listener;
        TagLib::setDebugListener(&listener);
    });
}

Id3v2Tag::Id3v2Tag() : tag_(std::make_unique<TagLib::ID3v2::Tag>()) {
    initTagLib();
}

Id3v2Tag::Id3v2Tag(const Id3v2Header& header, std::span<const std::uint8_t> bytes) {
    initTagLib();
    stream_ = std::make_unique<TagLib::ByteVectorStream>(tagForTagLib(header, bytes));
    file_ = std::make_unique<MemoryFile>(stream_.get());
    tag_ = std::make_unique<TagLib::ID3v2::Tag>(file_.get(), 0);
    writeVersion_ = header.majorVersion == 4 ? TagLib::ID3v2::v4 : TagLib::ID3v2::v3;
    if (header.majorVersion == 3)
        keepV23OnlyFrames(*tag_);
}

Id3v2Tag::~Id3v2Tag() = default;

TagLib::ByteVector Id3v2Tag::render() const {
    if (tag_->frameList().isEmpty())
        return {};
    return tag_->render(writeVersion_);
}

}  // namespace tw::core
