// SPDX-License-Identifier: GPL-2.0-or-later
// The batch setters of FileList: one value into every file of the selection chain.

#include "core/file_list.h"
#include "core/formats/format_tags.h"
#include "core/tag_fields.h"
#include "core/text_genre.h"

namespace tw::core {

namespace {

// A batch edit writes into both tags, so a tag the file lacks is created first; a file that
// cannot hold an ID3v1 tag gets none.
TagFields& created(TagFields& tag) {
    if (!tag.present)
        tag.makePresent();
    return tag;
}

template <typename Edit>
void editBothTags(FileList& list, Edit edit) {
    list.forEachSelected([&](AudioFile& file) {
        if (holdsId3v1(file.format))
            edit(created(file.id3v1));
        edit(created(file.id3v2));
    });
}

void setV2OnlyAll(FileList& list, std::string TagV2Fields::*field, std::string_view text) {
    list.forEachSelected(
        [&](AudioFile& file) { file.id3v2.assignV2Only(file.id3v2.*field, text, true); });
}

}  // namespace

void FileList::setTitleAll(std::string_view text) {
    editBothTags(*this, [&](TagFields& tag) { tag.setTitle(text); });
}

void FileList::setArtistAll(std::string_view text) {
    editBothTags(*this, [&](TagFields& tag) { tag.setArtist(text); });
}

void FileList::setAlbumAll(std::string_view text) {
    editBothTags(*this, [&](TagFields& tag) { tag.setAlbum(text); });
}

void FileList::setCommentAll(std::string_view text) {
    editBothTags(*this, [&](TagFields& tag) { tag.setComment(text); });
}

void FileList::setYearAll(std::string_view text) {
    const std::int32_t year = leadingNumber(text);
    editBothTags(*this, [&](TagFields& tag) { tag.setYear(year, true); });
}

void FileList::setGenreAll(std::int32_t number) {
    editBothTags(*this, [&](TagFields& tag) { tag.setGenre(number); });
}

void FileList::setTextGenreAll(std::string_view text) {
    forEachSelected([&](AudioFile& file) {
        if (holdsTextGenre(file.format))
            setTextGenre(created(file.id3v2), text);
    });
}

void FileList::setUrlAll(std::string_view text) {
    setV2OnlyAll(*this, &TagV2Fields::url, text);
}

void FileList::setPublisherAll(std::string_view text) {
    setV2OnlyAll(*this, &TagV2Fields::publisher, text);
}

void FileList::setOrigArtistAll(std::string_view text) {
    setV2OnlyAll(*this, &TagV2Fields::origArtist, text);
}

void FileList::setCopyrightAll(std::string_view text) {
    setV2OnlyAll(*this, &TagV2Fields::copyright, text);
}

void FileList::setComposerAll(std::string_view text) {
    setV2OnlyAll(*this, &TagV2Fields::composer, text);
}

}  // namespace tw::core
