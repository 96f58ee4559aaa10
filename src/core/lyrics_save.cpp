// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/lyrics_save.h"

#include "core/save_batch.h"
#include "core/tag_file_writer.h"

namespace tw::core {

bool saveLyrics(AudioFile& record) {
    LyricsTag& lyrics = record.lyrics;
    if (!lyrics.dirty())
        return true;
    if (record.unreadable())
        return false;  // what it holds is not what the file holds
    const std::string text = lyrics.present ? trimLyrics(lyrics.text) : std::string();
    AudioFile staged = record;
    staged.lyrics.text = text;
    TagFileWriter writer(record.path);
    if (!writer.writeLyrics(staged))
        return false;

    // Size and times changed with the file. Tags with edits the user has not saved yet keep
    // them; the others are read again like the rest of the record.
    AudioFile saved = record;
    saved.lyrics.text = text;
    saved.lyrics.inFile = saved.lyrics.present = !text.empty();
    saved.lyrics.changed = false;
    auto readBack = [&saved, edited = saved](const SavedFile& written) {
        saved.readSaved(written);
        if (edited.id3v1.dirty())
            saved.id3v1 = edited.id3v1;
        if (edited.id3v2.dirty())
            saved.id3v2 = edited.id3v2;
    };
    SaveBatch batch;
    batch.add(writer, readBack);
    if (!batch.finish().front())
        return false;
    record = std::move(saved);
    return true;
}

bool deleteLyrics(AudioFile& record) {
    LyricsTag& lyrics = record.lyrics;
    if (lyrics.text.empty())
        return false;
    lyrics.text.clear();
    lyrics.changed = true;
    lyrics.present = false;
    return true;
}

bool replaceLyrics(AudioFile& record, std::string_view text) {
    LyricsTag& lyrics = record.lyrics;
    if (lyrics.text == text)
        return false;
    lyrics.text.assign(text);
    lyrics.changed = true;
    lyrics.present = true;
    return true;
}

}  // namespace tw::core
