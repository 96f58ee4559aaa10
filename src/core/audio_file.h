// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "base/result.h"
#include "core/formats/audio_format.h"
#include "core/picture_info.h"
#include "core/tag_fields.h"

namespace tw::core {

class MpegInfo;
struct SavedFile;

// The thirteen stream texts of a file, in this order.
enum class StreamField {
    Size,
    HeaderPosition,
    Length,
    Version,
    Bitrate,
    Frames,
    Frequency,
    Mode,
    Crc,
    Copyright,
    Original,
    Emphasis,
    NoHeader,
};
inline constexpr std::size_t kStreamFieldCount = 13;
using StreamTexts = std::array<std::string, kStreamFieldCount>;

// One listed audio file: names, file facts, stream facts, both tags and the lyrics. Files
// of other formats than MPEG audio hold no ID3v1 tag, and their own tag fills the fields of
// the ID3v2 tag (formats/format_reader.h).
// Records are values: the FileList owns them, previews copy them.
struct AudioFile {
    bool selected = false;
    std::int32_t nextSelected = -1;  // next index of the selection chain, -1 at its end
    std::string createdText;         // "%m/%d/%Y, %H:%M.%S", local time
    std::string changedText;
    std::string path;      // full path
    std::string fileName;  // with extension
    std::string baseName;  // fileName less its extension (keptExtension)
    std::string sizeText;  // display text of size, made on first use
    std::uint64_t size = 0;
    std::int32_t playSeconds = 0;
    AudioFormat format = AudioFormat::Mpeg;  // by the content of the file, whatever its name
    TagFields id3v1;
    TagV2Fields id3v2;
    LyricsTag lyrics;
    // The attached pictures of the ID3v2 tag, as their frame headers tell; the images stay
    // in the file until a window or command reads them (picture_data.h).
    PictureList pictures;
    StreamTexts streamText;
    std::string infoText;  // the stream texts laid into the information text
    // Why the last read of the file failed (it could not be opened or read to its end);
    // empty when it succeeded. The fields of such a record are not what the file holds,
    // so it is never saved until a read succeeds again.
    base::Message readFailure;

    const std::string& stream(StreamField f) const {
        return streamText[static_cast<std::size_t>(f)];
    }

    bool dirty() const {
        return id3v1.dirty() || id3v2.dirty() || lyrics.dirty() || pictures.dirty();
    }
    bool unreadable() const { return !readFailure.empty(); }

    // Makes a record for `path`, whose work folder is the first `folderLength` bytes of it:
    // stream facts through `mpeg` (reused across files), then read(). Null when the
    // record cannot be made.
    static std::unique_ptr<AudioFile> create(const std::string& path, std::size_t folderLength,
                                             MpegInfo& mpeg);

    // Reads size, ID3v1, times, ID3v2 and lyrics from the file, then autoFill() and the
    // information text. A file that cannot be opened or read keeps what the record held
    // and gets its readFailure.
    void read();
    // The same after a save, from what the save wrote: the tags it wrote are parsed from
    // its bytes, the stream facts moved with the audio, the file facts taken from its
    // descriptor; a tag it left alone keeps what the record holds.
    void readSaved(const SavedFile& saved);
    void rereadTimes();

    // Moves the file to work folder + newBaseName + its kept extension (keptExtension:
    // ".flac" of "a.flac" stays, and so on; every other name gets ".mp3") without ever
    // replacing another file; a trailing ".mp3" or kept extension of any case in the name is
    // dropped first. The name may lead into a sub-folder that exists ("CD1\Song",
    // "..\Song"): a backslash works as the separator on every platform. On success fileName
    // and baseName hold the name relative to the work folder with the platform separator
    // ("CD1/Song.mp3", "CD1/Song"), so fileName stays the tail of path. Fails, with the
    // record unchanged, on an empty name, a bare extension, or a failed move.
    [[nodiscard]] base::Outcome rename(const std::string& newBaseName);
    // The fileName rename(newBaseName) gives a file whose kept extension is `extension`;
    // empty when it refuses the name.
    static std::string fileNameFor(const std::string& newBaseName,
                                   std::string_view extension = ".mp3");

    std::string displayName(bool withExtension) const;
    std::int32_t effectiveTrack() const;
    void autoFill();
};

}  // namespace tw::core
