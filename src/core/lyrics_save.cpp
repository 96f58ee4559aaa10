#include "core/lyrics_save.h"

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
    if (!writer.writeLyrics(staged) || !writer.commit())
        return false;

    lyrics.text = text;
    lyrics.inFile = lyrics.present = !text.empty();
    lyrics.changed = false;

    // Size and times changed with the file. Tags with edits the user has not saved yet keep
    // them; the others are read again like the rest of the record.
    const AudioFile edited = record;
    record.read();
    if (edited.id3v1.dirty())
        record.id3v1 = edited.id3v1;
    if (edited.id3v2.dirty())
        record.id3v2 = edited.id3v2;
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
