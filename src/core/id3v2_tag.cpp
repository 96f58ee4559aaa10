// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/id3v2_tag.h"

#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2synchdata.h>
#include <taglib/tdebuglistener.h>

#include <algorithm>
#include <mutex>
#include <unordered_set>

#include "core/id3v2_frame_format.h"
#include "core/id3v2_v22_frames.h"

namespace tw::core {

namespace {

using TagLib::ID3v2::Frame;

class SilentListener : public TagLib::DebugListener {
public:
    void printMessage(const TagLib::String&) override {}
};

constexpr unsigned int kFrameHeaderSize = 10;
// Padding of a tag that outgrew its old space (1 KiB and a tenth of its frames), so that
// the next edits fit in place.
constexpr std::uint64_t kPadding = 1024;
constexpr std::uint64_t kPaddingShare = 10;
// An old tag's space is kept when no more than this would be left as padding.
constexpr std::uint64_t kMostPaddingKept = 1024 * 1024;

// Frames reach TagLib with their unsynchronisation undone (frameForTagLib), so the header
// TagLib is told of never says the tag is unsynchronised.
std::unique_ptr<TagLib::ID3v2::Header> tagLibHeader(int version) {
    TagLib::ByteVector bytes("ID3");
    bytes.append(static_cast<char>(version));
    bytes.append('\0');
    bytes.append('\0');
    bytes.append(TagLib::ByteVector(4, '\0'));
    return std::make_unique<TagLib::ID3v2::Header>(bytes);
}

// The frame with its size stored the way the version wants. A v2.4 frame whose size a
// faulty writer stored plainly gets its synchsafe size: TagLib's factory reads it so, and
// a tag that mixes both ways reads wrong in other readers.
TagLib::ByteVector withStoredSize(const TagLib::ByteVector& frame, int version) {
    if (version != 4)
        return frame;
    const TagLib::ByteVector size =
        TagLib::ID3v2::SynchData::fromUInt(frame.size() - kFrameHeaderSize);
    if (frame.containsAt(size, 4))
        return frame;
    TagLib::ByteVector out = frame.mid(0, 4);
    out.append(size);
    out.append(frame.mid(8));
    return out;
}

// TagLib's factory refuses a frame without data, counting the four bytes of the data
// length that compressed (and, in v2.4, length-indicated) frames start with.
bool tagLibTakes(const TagLib::ByteVector& frame, int version) {
    const auto format = static_cast<std::uint8_t>(frame[9]);
    const bool lengthFirst = version == 4 ? (format & 0x09) != 0 : (format & 0x80) != 0;
    return frame.size() - kFrameHeaderSize > (lengthFirst ? 4u : 0u);
}

}  // namespace

void Id3v2Tag::initTagLib() {
    static std::once_flag once;
    std::call_once(once, [] {
        static SilentListener listener;
        TagLib::setDebugListener(&listener);
    });
}

Id3v2Tag::Id3v2Tag()
    : tagLibHeader_(tagLibHeader(3)), tag_(std::make_unique<TagLib::ID3v2::Tag>()) {
    initTagLib();
}

Id3v2Tag::Id3v2Tag(const Id3v2Header& header, std::span<const std::uint8_t> bytes,
                   std::span<const std::string_view> onlyIds)
    : Id3v2Tag() {
    onlyIds_ = onlyIds;
    take(header, walkId3v2Frames(header, bytes, wantedFrames(header)));
}

Id3v2Tag::Id3v2Tag(const Id3v2Header& header, ByteWindow& file, std::uint64_t tagLength,
                   std::span<const std::string_view> onlyIds)
    : Id3v2Tag() {
    onlyIds_ = onlyIds;
    take(header, walkId3v2Frames(header, file, tagLength, wantedFrames(header)));
}

FrameWanted Id3v2Tag::wantedFrames(const Id3v2Header& header) {
    // v2.2 ids are known only once carried over (addEntry).
    if (onlyIds_.empty() || header.majorVersion == 2)
        return {};
    return [this](std::string_view id) { return isWanted(id); };
}

void Id3v2Tag::take(const Id3v2Header& header, const Id3v2FrameWalk& walk) {
    writeVersion_ = header.majorVersion == 4 ? 4 : 3;
    oldSize_ = header.tagSize();
    damage_ = walk.damage;
    tagLibHeader_ = tagLibHeader(writeVersion_);
    unsynchronised_ = walk.unsynchronised;
    const std::string_view pictureId = pictureFrameId(header.majorVersion);
    for (const Id3v2RawFrame& raw : walk.frames) {
        const std::size_t before = entries_.size();
        addEntry(raw, header.majorVersion == 2);
        if (raw.id != pictureId)
            continue;
        const TagLib::ByteVector& head = raw.bytes.isEmpty() ? raw.head : raw.bytes;
        pictures_.push_back(
            parsePictureHead({reinterpret_cast<const std::uint8_t*>(head.data()), head.size()},
                             raw.length, header.majorVersion));
        pictureFrames_.push_back(entries_.size() > before ? entries_.back().frame : nullptr);
    }
}

Frame* Id3v2Tag::pictureFrame(std::size_t index) const {
    if (index >= pictureFrames_.size() || !pictureFrames_[index])
        return nullptr;
    for (Frame* frame : tag_->frameList())
        if (frame == pictureFrames_[index])
            return frame;
    return nullptr;
}

Id3v2Tag::~Id3v2Tag() = default;

bool Id3v2Tag::isWanted(std::string_view id) const {
    return onlyIds_.empty() || std::find(onlyIds_.begin(), onlyIds_.end(), id) != onlyIds_.end();
}

void Id3v2Tag::addEntry(const Id3v2RawFrame& raw, bool v22) {
    if (raw.bytes.isEmpty())
        return;  // not wanted
    Entry entry;
    entry.name = raw.id;
    entry.offset = raw.offset;
    if (v22) {
        auto upgraded = upgradeV22Frame(raw);
        entry.keepable = upgraded.has_value();
        entry.bytes = upgraded.value_or(TagLib::ByteVector());
    } else {
        entry.bytes = withStoredSize(raw.bytes, writeVersion_);
        // Frames of a v2.4 tag unsynchronised as a whole are unsynchronised each; written
        // into a tag without that flag they say so themselves.
        if (unsynchronised_)
            entry.bytes[9] = static_cast<char>(entry.bytes[9] | 0x02);
    }
    if (!isWanted(std::string_view(entry.bytes.data(), std::min(4u, entry.bytes.size()))))
        return;
    if (entry.keepable && raw.validId) {
        const TagLib::ByteVector forTagLib = frameForTagLib(entry.bytes, writeVersion_);
        if (tagLibTakes(forTagLib, writeVersion_)) {
            Frame* frame = TagLib::ID3v2::FrameFactory::instance()->createFrame(
                forTagLib, tagLibHeader_.get());
            if (frame) {
                tag_->addFrame(frame);
                entry.frame = frame;
            }
        }
    }
    entries_.push_back(std::move(entry));
}

void Id3v2Tag::addFrame(std::unique_ptr<Frame> frame) {
    tag_->addFrame(frame.release());
}

void Id3v2Tag::removeFrame(Frame* frame) {
    // TagLib's removal must only see frames of the tag.
    if (!frame || !tag_->frameList().contains(frame))
        return;
    tag_->removeFrame(frame, false);
    removed_.emplace_back(frame);
}

void Id3v2Tag::removeFrames(const char* id) {
    const TagLib::ID3v2::FrameList frames = tag_->frameList(id);
    for (Frame* frame : frames)
        removeFrame(frame);
}

void Id3v2Tag::edited(const Frame* frame) {
    edited_.insert(frame);
}

TagLib::ByteVector Id3v2Tag::rendered(const Frame& frame) const {
    const TagLib::ByteVector bytes = frame.render();
    // A frame without data is none (TagLib's own rendering drops it as well).
    if (bytes.size() <= kFrameHeaderSize)
        return {};
    // TagLib writes the size the way the version of the frame's own header wants (which
    // only its tag may set), and no flags; the size is written here for the tag's version.
    const unsigned int size = bytes.size() - kFrameHeaderSize;
    TagLib::ByteVector out = bytes.mid(0, 4);
    out.append(writeVersion_ == 4 ? TagLib::ID3v2::SynchData::fromUInt(size)
                                  : TagLib::ByteVector::fromUInt(size));
    out.append(bytes.mid(8));
    return out;
}

TagLib::ByteVector Id3v2Tag::assemble(const TagLib::ByteVector& frames, std::uint64_t size) const {
    const std::uint64_t used = Id3v2Header::kSize + frames.size();
    std::uint64_t padding = oldSize_ >= used && oldSize_ - used <= kMostPaddingKept
                                ? oldSize_ - used
                                : kPadding + frames.size() / kPaddingShare;
    if (size >= used + padding)
        padding = size - used;
    TagLib::ByteVector out("ID3");
    out.append(static_cast<char>(writeVersion_));
    out.append('\0');
    out.append('\0');  // no unsynchronisation, extended header or footer
    out.append(
        TagLib::ID3v2::SynchData::fromUInt(static_cast<unsigned int>(frames.size() + padding)));
    out.append(frames);
    out.resize(static_cast<unsigned int>(out.size() + padding), '\0');
    return out;
}

Id3v2Rendering Id3v2Tag::render(std::uint64_t size) const {
    if (!onlyIds_.empty())
        return {.bytes = {}, .unkeptName = "?", .unkeptOffset = 0};
    for (const Id3v2Damage& damage : damage_)
        if (damage.blocksSave())
            return {.bytes = {}, .unkeptName = damage.name, .unkeptOffset = damage.offset};
    for (const Entry& entry : entries_)
        if (!entry.keepable)
            return {.bytes = {}, .unkeptName = entry.name, .unkeptOffset = entry.offset};

    const TagLib::ID3v2::FrameList& current = tag_->frameList();
    const std::unordered_set<const Frame*> present(current.begin(), current.end());
    std::unordered_set<const Frame*> fromFile;
    for (const Entry& entry : entries_)
        fromFile.insert(entry.frame);
    std::vector<const Frame*> added;
    std::copy_if(current.begin(), current.end(), std::back_inserter(added),
                 [&](const Frame* frame) { return !fromFile.contains(frame); });

    TagLib::ByteVector frames;
    // A new frame takes the place of the first removed frame with its id.
    auto placeNew = [&](const TagLib::ByteVector& id) {
        const auto found = std::find_if(added.begin(), added.end(), [&](const Frame* frame) {
            return frame && frame->frameID() == id;
        });
        if (found == added.end())
            return;
        frames.append(rendered(**found));
        *found = nullptr;
    };
    for (const Entry& entry : entries_) {
        if (!entry.frame)
            frames.append(entry.bytes);
        else if (present.contains(entry.frame))
            frames.append(edited_.contains(entry.frame) ? rendered(*entry.frame) : entry.bytes);
        else
            placeNew(entry.bytes.mid(0, 4));
    }
    for (const Frame* frame : added)
        if (frame)
            frames.append(rendered(*frame));
    if (frames.isEmpty())
        return {};
    return {.bytes = assemble(frames, size), .unkeptName = {}, .unkeptOffset = 0};
}

}  // namespace tw::core
