// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/record_tags.h"

#include <string>
#include <utility>

namespace tw::core {

namespace {

std::size_t heapBytes(const std::string& text) {
    // Texts within the small-string buffer hold nothing beyond the object itself.
    return text.capacity() > std::string().capacity() ? text.capacity() + 1 : 0;
}

std::size_t heapBytes(const TagFields& tag) {
    return heapBytes(tag.trackText) + heapBytes(tag.yearText) + heapBytes(tag.title) +
           heapBytes(tag.artist) + heapBytes(tag.album) + heapBytes(tag.comment) +
           heapBytes(tag.freeGenre);
}

}  // namespace

RecordTags RecordTags::of(const AudioFile& record) {
    return {record.id3v1, record.id3v2, record.lyrics, record.pictures};
}

void RecordTags::swapWith(AudioFile& record) {
    std::swap(id3v1, record.id3v1);
    std::swap(id3v2, record.id3v2);
    std::swap(lyrics, record.lyrics);
    std::swap(pictures, record.pictures);
}

bool RecordTags::sameAs(const AudioFile& record) const {
    return id3v1 == record.id3v1 && id3v2 == record.id3v2 && lyrics == record.lyrics &&
           pictures == record.pictures;
}

bool RecordTags::sameValuesAs(AudioFile& record) const {
    // Compared with our marks in the record's place, then its own put back.
    const bool marks[] = {record.id3v1.changed, record.id3v2.changed, record.lyrics.changed,
                          record.pictures.changed};
    record.id3v1.changed = id3v1.changed;
    record.id3v2.changed = id3v2.changed;
    record.lyrics.changed = lyrics.changed;
    record.pictures.changed = pictures.changed;
    const bool same = sameAs(record);
    record.id3v1.changed = marks[0];
    record.id3v2.changed = marks[1];
    record.lyrics.changed = marks[2];
    record.pictures.changed = marks[3];
    return same;
}

std::size_t RecordTags::bytes() const {
    std::size_t total = sizeof(RecordTags) + heapBytes(id3v1) + heapBytes(id3v2) +
                        heapBytes(id3v2.url) + heapBytes(id3v2.publisher) +
                        heapBytes(id3v2.origArtist) + heapBytes(id3v2.copyright) +
                        heapBytes(id3v2.composer) + heapBytes(id3v2.encodedBy) +
                        heapBytes(lyrics.text) + pictures.items.capacity() * sizeof(Picture);
    for (const Picture& picture : pictures.items) {
        total += heapBytes(picture.info.mime) + heapBytes(picture.info.description);
        // An image added in memory is counted by every copy that holds it: an estimate on
        // the safe side, since the history must not outgrow its bound.
        if (picture.data)
            total += picture.data->size();
    }
    return total;
}

}  // namespace tw::core
