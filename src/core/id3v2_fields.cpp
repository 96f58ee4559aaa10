// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/id3v2_fields.h"

#include <taglib/commentsframe.h>
#include <taglib/id3v1genres.h>
#include <taglib/id3v2tag.h>
#include <taglib/textidentificationframe.h>
#include <taglib/unsynchronizedlyricsframe.h>
#include <taglib/urllinkframe.h>

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

#include "core/genre_table.h"
#include "core/id3v2_tag.h"

namespace tw::core {

namespace {

using TagLib::ID3v2::CommentsFrame;
using TagLib::ID3v2::TextIdentificationFrame;
using TagLib::ID3v2::UnsynchronizedLyricsFrame;
using TagLib::ID3v2::UserUrlLinkFrame;

std::string utf8(const TagLib::String& text) {
    std::string out = text.to8Bit(true);
    out.resize(std::min(out.size(), out.find('\0')));
    return out;
}

TagLib::String fromUtf8(std::string_view text) {
    return TagLib::String(std::string(text), TagLib::String::UTF8);
}

// ISO-8859-1 when every character of the texts fits, else UTF-16 with a BOM.
TagLib::String::Type encodingFor(std::initializer_list<TagLib::String> texts) {
    for (const TagLib::String& text : texts)
        if (!text.isLatin1())
            return TagLib::String::UTF16;
    return TagLib::String::Latin1;
}

// The first frame `id` of the tag's frames in their order. Walking the frames compares ids
// in place, where asking TagLib for the frames of an id builds a key for every question.
template <typename Frame>
Frame* firstFrame(const TagLib::ID3v2::Tag& tag, const char* id) {
    for (TagLib::ID3v2::Frame* frame : tag.frameList())
        if (frame->frameID() == id)
            if (auto* typed = dynamic_cast<Frame*>(frame))
                return typed;
    return nullptr;
}

// The first value of the first text frame `id`; none when there is no such frame.
std::optional<std::string> textOf(const TagLib::ID3v2::Tag& tag, const char* id) {
    const auto* frame = firstFrame<TextIdentificationFrame>(tag, id);
    if (!frame)
        return std::nullopt;
    const TagLib::StringList values = frame->fieldList();
    return values.isEmpty() ? std::string() : utf8(values.front());
}

std::optional<std::string> yearTextOf(const TagLib::ID3v2::Tag& tag) {
    if (auto text = textOf(tag, "TDRC"))
        return text;
    return textOf(tag, "TYER");  // seen in v2.4 tags of some programs
}

bool allDigits(std::string_view text) {
    if (text.empty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

void addTextFrame(Id3v2Tag& tag, const char* id, std::string_view value) {
    const TagLib::String text = fromUtf8(value);
    auto frame =
        std::make_unique<TextIdentificationFrame>(TagLib::ByteVector(id), encodingFor({text}));
    frame->setText(text);
    tag.addFrame(std::move(frame));
}

// Replaces the frames `id` by one holding `value` (none for an empty value), unless the
// tag already reads as `value`.
void writeText(Id3v2Tag& tag, const char* id, const std::string& value) {
    const auto current = textOf(tag.tag(), id);
    if (current ? *current == value : value.empty())
        return;
    tag.removeFrames(id);
    if (!value.empty())
        addTextFrame(tag, id, value);
}

void writeYear(Id3v2Tag& tag, const TagFields& fields) {
    const auto current = yearTextOf(tag.tag());
    // The frames stay while they read as the year the fields hold: "1999-05-12" for 1999,
    // and "0000", "abcd" or an empty frame for no year, as nobody edited them.
    TagFields read;
    if (current)
        read.setYear(leadingNumber(*current), false);
    if (current ? read.yearText == fields.yearText : fields.yearText.empty())
        return;
    tag.removeFrames("TDRC");
    tag.removeFrames("TYER");
    if (!fields.yearText.empty())
        addTextFrame(tag, tag.writeVersion() == 4 ? "TDRC" : "TYER", fields.yearText);
}

void writeGenre(Id3v2Tag& tag, const TagFields& fields) {
    const auto current = textOf(tag.tag(), "TCON");
    if (current && genreOfTconValue(*current).value_or(-1) == fields.genre)
        return;
    const std::string text = genreText(fields.genre);
    if (!current && text.empty())
        return;
    tag.removeFrames("TCON");
    if (!text.empty())
        addTextFrame(tag, "TCON", text);
}

void writeTrack(Id3v2Tag& tag, const TagFields& fields) {
    const auto current = textOf(tag.tag(), "TRCK");
    if (current) {
        TagFields read;
        read.assignTrackText(*current, false);
        if (read.track == fields.track && read.trackTotal == fields.trackTotal)
            return;
    }
    const std::string text = composeTrackText(fields);
    if (!current && text.empty())
        return;
    tag.removeFrames("TRCK");
    if (!text.empty())
        addTextFrame(tag, "TRCK", text);
}

void writeComment(Id3v2Tag& tag, const std::string& comment) {
    CommentsFrame* first = firstFrame<CommentsFrame>(tag.tag(), "COMM");
    if (first ? utf8(first->text()) == comment : comment.empty())
        return;
    if (comment.empty()) {
        tag.removeFrame(first);
        return;
    }
    const TagLib::String text = fromUtf8(comment);
    if (first) {
        first->setTextEncoding(encodingFor({text, first->description()}));
        first->setText(text);
        tag.edited(first);
        return;
    }
    auto frame = std::make_unique<CommentsFrame>(encodingFor({text}));
    frame->setLanguage("XXX");
    frame->setText(text);
    tag.addFrame(std::move(frame));
}

void writeUrl(Id3v2Tag& tag, const std::string& url) {
    UserUrlLinkFrame* first = firstFrame<UserUrlLinkFrame>(tag.tag(), "WXXX");
    if (first ? utf8(first->url()) == url : url.empty())
        return;
    if (url.empty()) {
        tag.removeFrame(first);
        return;
    }
    if (first) {
        first->setUrl(fromUtf8(url));
        tag.edited(first);
        return;
    }
    auto frame = std::make_unique<UserUrlLinkFrame>(TagLib::String::Latin1);
    frame->setUrl(fromUtf8(url));
    tag.addFrame(std::move(frame));
}

}  // namespace

std::optional<std::int32_t> genreOfTconValue(std::string_view firstValue) {
    if (allDigits(firstValue))
        return leadingNumber(firstValue);
    if (auto genre = genreFromText(firstValue))
        return genre;
    const int number = TagLib::ID3v1::genreIndex(fromUtf8(firstValue));
    if (number != 255)
        return number;
    return std::nullopt;
}

FieldFrameTexts fieldFrameTexts(const TagLib::ID3v2::Tag& tag) {
    FieldFrameTexts texts;
    for (std::size_t i = 0; i < kReadFrameIds.size(); ++i) {
        const auto frame = static_cast<FieldFrame>(i);
        const char* id = kReadFrameIds[i].data();
        if (frame == FieldFrame::Comment) {
            if (const auto* comment = firstFrame<CommentsFrame>(tag, id))
                texts[frame] = utf8(comment->text());
        } else if (frame == FieldFrame::Url) {
            if (const auto* url = firstFrame<UserUrlLinkFrame>(tag, id))
                texts[frame] = utf8(url->url());
        } else if (frame == FieldFrame::Lyrics) {
            if (const auto* uslt = firstFrame<UnsynchronizedLyricsFrame>(tag, id))
                texts[frame] = utf8(uslt->text());
        } else {
            texts[frame] = textOf(tag, id);
        }
    }
    return texts;
}

void setId3v2Fields(FieldFrameTexts& texts, TagV2Fields& fields, LyricsTag& lyrics) {
    fields.inFile = true;
    fields.present = true;
    fields.changed = false;
    auto take = [&texts](FieldFrame frame, std::string& field) {
        if (auto& text = texts[frame])
            field = std::move(*text);
    };

    take(FieldFrame::Title, fields.title);
    for (FieldFrame frame :
         {FieldFrame::Artist, FieldFrame::Band, FieldFrame::Conductor, FieldFrame::Composer}) {
        if (const auto& artist = texts[frame]) {
            fields.artist = *artist;
            break;
        }
    }
    take(FieldFrame::Album, fields.album);
    take(FieldFrame::Comment, fields.comment);
    // TYER is seen in v2.4 tags of some programs.
    if (const auto& year =
            texts[FieldFrame::Date] ? texts[FieldFrame::Date] : texts[FieldFrame::Year])
        fields.setYear(leadingNumber(*year), false);
    if (const auto& genre = texts[FieldFrame::Genre])
        fields.genre = genreOfTconValue(*genre).value_or(fields.genre);
    if (const auto& track = texts[FieldFrame::Track])
        fields.assignTrackText(*track, false);
    take(FieldFrame::Url, fields.url);
    take(FieldFrame::Publisher, fields.publisher);
    take(FieldFrame::OrigArtist, fields.origArtist);
    take(FieldFrame::Copyright, fields.copyright);
    take(FieldFrame::Composer, fields.composer);
    take(FieldFrame::EncodedBy, fields.encodedBy);

    auto& text = texts[FieldFrame::Lyrics];
    lyrics.inFile = lyrics.present = text.has_value();
    if (text)
        lyrics.text = std::move(*text);
    lyrics.changed = false;
}

void readId3v2Fields(const TagLib::ID3v2::Tag& tag, TagV2Fields& fields, LyricsTag& lyrics) {
    FieldFrameTexts texts = fieldFrameTexts(tag);
    setId3v2Fields(texts, fields, lyrics);
}

void writeId3v2Fields(Id3v2Tag& tag, const TagV2Fields& fields) {
    writeText(tag, "TALB", fields.album);
    writeText(tag, "TPE1", fields.artist);
    writeText(tag, "TIT2", fields.title);
    writeComment(tag, fields.comment);
    writeYear(tag, fields);
    writeGenre(tag, fields);
    writeTrack(tag, fields);
    writeUrl(tag, fields.url);
    writeText(tag, "TPUB", fields.publisher);
    writeText(tag, "TOPE", fields.origArtist);
    writeText(tag, "TCOP", fields.copyright);
    writeText(tag, "TCOM", fields.composer);
    writeText(tag, "TENC", fields.encodedBy);
}

void writeId3v2Lyrics(Id3v2Tag& tag, std::string_view text) {
    if (text.empty()) {
        tag.removeFrames("USLT");
        return;
    }
    const TagLib::String lyrics = fromUtf8(text);
    if (auto* first = firstFrame<UnsynchronizedLyricsFrame>(tag.tag(), "USLT")) {
        if (utf8(first->text()) == text)
            return;
        first->setTextEncoding(encodingFor({lyrics, first->description()}));
        first->setText(lyrics);
        tag.edited(first);
        return;
    }
    auto frame = std::make_unique<UnsynchronizedLyricsFrame>(encodingFor({lyrics}));
    frame->setLanguage("XXX");
    frame->setText(lyrics);
    tag.addFrame(std::move(frame));
}

}  // namespace tw::core
