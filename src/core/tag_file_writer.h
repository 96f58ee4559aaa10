// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <memory>
#include <string>

#include "base/result.h"
#include "core/audio_file.h"

namespace tw::core {

class PendingSave;

// One save of the tags of one file.
//
// `save` (of the record) creates one writer for the record's path, stages the changes in a
// fixed order, then has them written all at once:
//
//     TagFileWriter writer(record.path);
//     1. ID3v1: writeV1(record) when id3v1.changed && id3v1.present,
//               else removeV1() when !id3v1.present && id3v1.inFile;
//     2. ID3v2: writeV2(record) when id3v2.changed && id3v2.present,
//               else removeV2() when !id3v2.present && id3v2.inFile;
//     3. lyrics: writeLyrics(record) when record.lyrics.dirty();
//        pictures: writePictures(record) when record.pictures.dirty();
//     4. SaveBatch::add(writer) (saveAll adds every dirty file to one batch), then finish().
//
// Each staging call returns that step's own outcome; a failed step stages nothing. Staging
// never touches the disk. `save` commits only when every step that ran succeeded, so a
// save happens whole or not at all. What was staged becomes one PendingSave (prepare()),
// which a SaveBatch writes together with the other files of a save: in place where the
// new tags fit, else as a new file renamed over the old one (pending_save.h). Any failure
// leaves the original byte-identical.
//
// What `save` does with the record around it (the writer never changes a record):
//   - before step 1 for a removal of ID3v1 (ID3v2): clearFields on the tag's fields;
//   - before step 3: store the lyrics text trimmed (trimLyrics) in the record;
//   - after a successful save, for each step that ran and returned true:
//       write of a tag, or of non-empty lyrics: inFile = present = true, changed = false;
//       removal of a tag, or lyrics written empty: inFile = present = changed = false;
//     then the record takes what the save wrote (AudioFile::readSaved: size, the tags
//     written, times, stream facts, information text) without reading the file again;
//   - after a failed step or save no flag changes: the record stays dirty, so the next
//     save tries again; it is not re-read, so the user's edits stay in memory.
//
// A FLAC, Ogg Vorbis, Opus or MP4 file the list reads (audioFormatOf) has its own tag written
// by the ID3v2 steps (fields, lyrics, pictures, removal) through TagLib (format_save.h); it
// holds no ID3v1 tag, so writeV1 fails and removeV1 has nothing to do. Nothing is ever
// written into a file that is another audio container (WAV, AIFF, DSF, other Ogg streams,
// WavPack, Monkey's Audio, TTA, Musepack, recognised by their magic bytes at the start or
// behind an ID3v2 tag), nor into any other file in which no MPEG audio frame is found.
//
// A writer is used once, on one thread. It opens the file once, for reading and writing,
// and reads its tags once; the descriptor goes to the PendingSave.
class TagFileWriter {
public:
    explicit TagFileWriter(std::string path);
    ~TagFileWriter();
    TagFileWriter(const TagFileWriter&) = delete;
    TagFileWriter& operator=(const TagFileWriter&) = delete;

    // The ID3v1 tag from record.id3v1 (the genre byte falls back to record.id3v2.genre):
    // overwrites the file's ID3v1 tag, or appends one. False when the file cannot be read,
    // is no MPEG audio, or is shorter than 128 bytes.
    [[nodiscard]] base::Outcome writeV1(const AudioFile& record);
    // Removes the file's ID3v1 tag. Succeeds when the file has none.
    [[nodiscard]] base::Outcome removeV1();

    // The edited ID3v2 frames from record.id3v2; every other frame of the file's tag stays
    // byte for byte (see Id3v2Tag::render). A v2.4 tag stays v2.4; v2.2, v2.3 and new tags
    // are written as v2.3. A frame whose text already reads as the record's value is left
    // as it is. False when the file cannot be read, is no MPEG audio, or its ID3v2 tag's
    // size is damaged (it reaches into the audio or behind the file).
    [[nodiscard]] base::Outcome writeV2(const AudioFile& record);
    // Removes the whole ID3v2 tag (with its lyrics and pictures). Succeeds when there is none.
    [[nodiscard]] base::Outcome removeV2();

    // record.lyrics.text (trimmed) into the first USLT frame, keeping its language and
    // description; a new frame (language "XXX", no description) when there is none; an
    // empty text removes every USLT frame. Acts on the tag as steps 1-2 left it.
    [[nodiscard]] base::Outcome writeLyrics(const AudioFile& record);

    // The attached pictures of record.pictures: the file's picture frames the record no
    // longer holds are removed, those it holds stay byte for byte, and each picture added
    // in memory becomes a new frame (in the place of the first removed one, else last).
    // False when the file cannot be read or rewritten, or its pictures are not the ones
    // the record was read with (a picture to drop that cannot be parsed, or one the file
    // no longer has).
    [[nodiscard]] base::Outcome writePictures(const AudioFile& record);

    // Writes what was staged, as a batch of one. Succeeds when nothing was staged. Fails
    // when the ID3v2 tag cannot be written without losing a frame (one the
    // program does not edit and cannot keep), the file is not writable, the disk is full,
    // the file changed since the writer read it, or it could not be replaced; the original
    // is then untouched.
    [[nodiscard]] base::Outcome commit();

    // What the staged steps make of the file, for a SaveBatch; the writer is spent
    // afterwards. Null when nothing was staged in a file that cannot be opened; a failure
    // when it may not be written (see commit()). With
    // `growInPlace`, a tag that outgrows its space is made to fill whole blocks inserted
    // at the file's start where the file system can (range_insert.h).
    [[nodiscard]] base::Result<std::unique_ptr<PendingSave>> prepare(bool growInPlace = true);

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The lyrics text as it is written: blanks, tabs and line breaks trimmed at both ends.
std::string trimLyrics(std::string_view text);

}  // namespace tw::core
