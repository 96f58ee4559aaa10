// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/audio_file.h"
#include "core/formats/audio_format.h"
#include "core/formats/format_layout.h"
#include "core/formats/overlay_stream.h"

namespace tw::core {

// The staged edits of the tag of one FLAC, Ogg Vorbis, Opus or MP4 file: TagLib's class for
// the format, opened on an OverlayStream over the file, edited by the record, then saved
// into the overlay; what the overlay then holds is the new file, which the save path puts
// on the disk (pending_save.h). The file itself is only read. A Vorbis comment keeps the
// file's own entries of the keys the edits leave alone (kept_vorbis_comment.h).
//
// Each edit returns false with error() set when the file cannot be read as its format (the
// edit then changes nothing). finish() saves and checks the result: TagLib reads it as the
// same stream, and the audio of FLAC and MP4 files lies in it as the very bytes of the old
// file (for MP4 with every chunk offset moved by as much as the audio moved), as do the
// audio pages of Ogg files where their header pages could keep their count.
class FormatSave {
public:
    // The zeros a grown Ogg comment gets behind it, for the next edit to fit in place.
    static constexpr std::uint64_t kOggCommentRoom = 1024;

    FormatSave(AudioFormat format, int fd, std::uint64_t size, std::string path);
    ~FormatSave();
    FormatSave(const FormatSave&) = delete;
    FormatSave& operator=(const FormatSave&) = delete;

    [[nodiscard]] bool writeFields(const TagV2Fields& fields);
    [[nodiscard]] bool removeTag();
    [[nodiscard]] bool writeLyrics(std::string_view text);
    // As TagFileWriter::writePictures: record.pictures' fileIndex numbers the file's
    // pictures as format_reader.h lists them.
    [[nodiscard]] bool writePictures(const AudioFile& record);

    // The file as the edits leave it, or null with error() set.
    [[nodiscard]] std::unique_ptr<OverlayStream> finish();

    AudioFormat format() const { return format_; }
    const base::Message& error() const { return error_; }

private:
    struct Opened;
    [[nodiscard]] bool open();
    [[nodiscard]] bool saveOgg();
    [[nodiscard]] bool saveFlac();
    [[nodiscard]] bool saveMp4();
    bool fail(base::Message why);

    AudioFormat format_;
    int fd_;
    std::uint64_t size_;
    std::string path_;
    std::unique_ptr<OverlayStream> stream_;
    std::unique_ptr<Opened> opened_;
    base::Message error_;
};

}  // namespace tw::core
