// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/tag_edit.h"

namespace tw::core {

void fillFrom(TagFields& target, const TagFields& source, bool overwrite) {
    if (target.album.empty() || overwrite)
        target.setAlbum(source.album);
    if (target.artist.empty() || overwrite)
        target.setArtist(source.artist);
    if (target.title.empty() || overwrite)
        target.setTitle(source.title);
    if (target.comment.empty() || overwrite)
        target.setComment(source.comment);
    if (target.genre < 0 || target.genre > 127 || overwrite)
        target.genre = source.genre;
    if (target.yearText.empty() || overwrite)
        target.setYear(source.year, true);
    if ((target.track == 0 || overwrite) && source.track != target.track)
        target.setTrack(source.track, true);
}

void fillV1FromV2(AudioFile& record, bool overwrite) {
    if (!record.id3v2.inFile)
        return;
    if (!record.id3v1.inFile)
        record.id3v1.makePresent();
    fillFrom(record.id3v1, record.id3v2, overwrite);
}

void fillV2FromV1(AudioFile& record, bool overwrite) {
    if (!record.id3v1.inFile)
        return;
    if (!record.id3v2.inFile)
        record.id3v2.makePresent();
    fillFrom(record.id3v2, record.id3v1, overwrite);
}

namespace {

bool clearText(std::string& text) {
    if (text.empty())
        return false;
    text.clear();
    return true;
}

bool clearCommon(TagFields& tag) {
    bool cleared = false;
    for (std::string* text : {&tag.title, &tag.artist, &tag.album, &tag.comment, &tag.freeGenre})
        cleared |= clearText(*text);
    if (tag.year != 0 || !tag.yearText.empty()) {
        tag.year = 0;
        tag.yearText.clear();
        cleared = true;
    }
    if (tag.track != 0 || tag.trackTotal != 0 || !tag.trackText.empty()) {
        tag.track = 0;
        tag.trackTotal = 0;
        tag.trackText.clear();
        cleared = true;
    }
    if (tag.genre != -1) {
        tag.genre = -1;
        cleared = true;
    }
    return cleared;
}

bool finishClear(TagFields& tag, bool cleared) {
    if (!cleared && !tag.inFile)
        return false;
    tag.changed = true;
    tag.present = false;
    return true;
}

}  // namespace

bool clearFields(TagFields& tag) {
    return finishClear(tag, clearCommon(tag));
}

bool clearFields(TagV2Fields& tag) {
    bool cleared = clearCommon(tag);
    for (std::string* text :
         {&tag.url, &tag.publisher, &tag.origArtist, &tag.copyright, &tag.composer, &tag.encodedBy})
        cleared |= clearText(*text);
    return finishClear(tag, cleared);
}

}  // namespace tw::core
