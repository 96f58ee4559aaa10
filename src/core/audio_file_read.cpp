// SPDX-License-Identifier: GPL-2.0-or-later
// Reading a record from its file: AudioFile::create, read, readSaved and rereadTimes.
//
// Each file is opened once. The head of the file (16 KiB, and the frames of the ID3v2 tag
// when it is larger), the first audio frame, and the tags at its end are read through one
// reusable window; the ID3v2 tag, the stream facts and the ID3v1 tag are all taken from
// those bytes, so a record costs a bounded number of reads whatever the size of its file.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "base/language.h"
#include "base/string_ids.h"
#include "core/audio_file.h"
#include "core/byte_window.h"
#include "core/file_facts.h"
#include "core/formats/format_reader.h"
#include "core/id3v1_tag.h"
#include "core/id3v2_field_texts.h"
#include "core/id3v2_fields.h"
#include "core/id3v2_header.h"
#include "core/id3v2_tag.h"
#include "core/mpeg_info.h"
#include "core/saved_file.h"

namespace tw::core {

namespace {

class OpenFile {
public:
    explicit OpenFile(const std::string& path)
        // Non-blocking, so that a FIFO named *.mp3 cannot stall the scan.
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)),
          error_(fd_ < 0 ? errno : 0) {}
    ~OpenFile() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return fd_; }
    int error() const { return error_; }

private:
    int fd_;
    int error_;
};

void setPictures(AudioFile& record, const std::vector<PictureInfo>& pictures) {
    record.pictures = {};
    for (std::size_t i = 0; i < pictures.size(); ++i)
        record.pictures.items.push_back({pictures[i], static_cast<int>(i), nullptr});
}

void readId3v2(ByteWindow& window, AudioFile& record) {
    const auto header = Id3v2Header::parse(window.bytesAt(0, Id3v2Header::kSize));
    if (!header) {
        record.id3v2.inFile = record.id3v2.present = record.id3v2.changed = false;
        record.lyrics = {};
        record.pictures = {};
        return;
    }
    const std::uint64_t length = std::min(header->tagSize(), std::uint64_t{kId3v2ReadLimit});
    // Most tags are read straight from their bytes; TagLib reads the others. Either way only
    // the frame headers and the frames of the fields are read: a large picture costs the
    // read of its first bytes.
    thread_local FieldFrameTexts texts;
    thread_local std::vector<PictureInfo> pictures;
    if (readFieldTexts(*header, window, length, texts, pictures)) {
        setId3v2Fields(texts, record.id3v2, record.lyrics);
        setPictures(record, pictures);
        return;
    }
    const Id3v2Tag tag(*header, window, length, kReadFrameIds);
    readId3v2Fields(tag.tag(), record.id3v2, record.lyrics);
    setPictures(record, tag.pictures());
}

void setTimes(AudioFile& record, const FileFacts& facts) {
    record.createdText = fileTimeText(facts.created);
    record.changedText = fileTimeText(facts.changed);
}

void setStream(AudioFile& record, const MpegInfo& mpeg) {
    mpeg.texts(record.streamText);
    record.playSeconds = mpeg.playSeconds();
}

// Everything a record takes from its file, open as `fd`. When it is no regular file the
// record is left alone; when it cannot be read to its end, the record holds what could be
// read. Either way the result says why (empty on success).
base::Message readRecord(AudioFile& record, MpegInfo& mpeg, int fd) {
    const auto facts = factsOf(fd);
    if (!facts)
        return base::Message::verbatim(std::strerror(errno));
    if (!facts->regular)
        return base::Message(base::ids::kReadNotRegularFile);

    thread_local ByteWindow window;
    window.reset(fd, facts->size);
    window.bytesAt(0, ByteWindow::kChunk);  // the head, in one read

    if (record.size != facts->size)
        record.sizeText.clear();  // made again from the new size when next shown
    record.size = facts->size;
    record.format = audioFormatOf(window);
    if (record.format != AudioFormat::Mpeg) {
        const base::Outcome read = readFormatRecord(record, record.format, fd, facts->size);
        if (!read)
            return read.failure().why;
        setTimes(record, *facts);
        record.readFailure = {};
        return {};
    }
    readId3v2(window, record);
    mpeg.examine(window, record.path);
    setStream(record, mpeg);
    if (facts->size >= kId3v1Size)
        readId3v1(window.bytesAt(facts->size - kId3v1Size, kId3v1Size), record.id3v1);
    setTimes(record, *facts);

    if (window.failed())
        return window.error() != 0 ? base::Message::verbatim(std::strerror(window.error()))
                                   : base::Message(base::ids::kReadChangedMeanwhile);
    record.autoFill();
    record.infoText = infoText(record.streamText);
    record.readFailure = {};
    return {};
}

// What a save changed of a record, without reading what it did not change: only the end of
// the file, where the save added or removed a tag there.
base::Message readSavedRecord(AudioFile& record, MpegInfo& mpeg, const SavedFile& saved) {
    if (!saved.stream)
        return readRecord(record, mpeg, saved.fd);
    const auto facts = factsOf(saved.fd);
    if (!facts)
        return base::Message::verbatim(std::strerror(errno));
    if (record.size != facts->size)
        record.sizeText.clear();
    record.size = facts->size;
    if (saved.id3v2) {
        ByteWindow tag;
        tag.reset(*saved.id3v2);
        readId3v2(tag, record);
    }
    if (saved.id3v1)
        readId3v1(*saved.id3v1, record.id3v1);

    ByteWindow file;
    file.reset(saved.fd, facts->size);
    mpeg = *saved.stream;
    mpeg.moveBy(saved.moved, file, saved.endChanged);
    setStream(record, mpeg);
    setTimes(record, *facts);
    if (file.failed())
        return base::Message::verbatim(std::strerror(file.error() != 0 ? file.error() : EIO));
    record.autoFill();
    record.infoText = infoText(record.streamText);
    record.readFailure = {};
    return {};
}

base::Message readRecord(AudioFile& record, MpegInfo& mpeg) {
    const OpenFile file(record.path);
    if (file.fd() < 0)
        return base::Message::verbatim(std::strerror(file.error()));
    return readRecord(record, mpeg, file.fd());
}

// Reads the record again through `readFresh`; a failed read keeps what the record held.
template <typename Read>
void readAgain(AudioFile& record, Read readFresh) {
    thread_local MpegInfo mpeg;
    AudioFile fresh = record;
    if (base::Message failure = readFresh(fresh, mpeg); !failure.empty())
        record.readFailure = std::move(failure);
    else
        record = std::move(fresh);
}

}  // namespace

std::unique_ptr<AudioFile> AudioFile::create(const std::string& path, std::size_t folderLength,
                                             MpegInfo& mpeg) {
    auto record = std::make_unique<AudioFile>();
    record->path = path;
    record->fileName = path.substr(std::min(folderLength, path.size()));
    record->baseName = record->fileName.substr(
        0, record->fileName.size() -
               std::min(record->fileName.size(), keptExtension(record->fileName).size()));
    if (base::Message failure = readRecord(*record, mpeg); !failure.empty()) {
        // Nothing of a file read only in part is shown; the stream texts still show the
        // length the file system reports.
        auto unread = std::make_unique<AudioFile>();
        unread->path = record->path;
        unread->fileName = record->fileName;
        unread->baseName = record->baseName;
        unread->format = record->format;
        unread->readFailure = std::move(failure);
        const auto facts = factsOf(path);
        mpeg.setUnreadable(path, facts ? facts->size : 0);
        setStream(*unread, mpeg);
        unread->infoText = core::infoText(unread->streamText);
        return unread;
    }
    return record;
}

void AudioFile::read() {
    readAgain(*this, [](AudioFile& fresh, MpegInfo& mpeg) { return readRecord(fresh, mpeg); });
}

void AudioFile::readSaved(const SavedFile& saved) {
    readAgain(*this, [&saved](AudioFile& fresh, MpegInfo& mpeg) {
        return readSavedRecord(fresh, mpeg, saved);
    });
}

void AudioFile::rereadTimes() {
    if (const auto facts = factsOf(path))
        setTimes(*this, *facts);
}

}  // namespace tw::core
