// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "core/audio_file.h"
#include "core/file_list.h"
#include "support/file_text.h"

namespace tw::exports::test {

using tw::test::fileText;

// A record held only in memory, at `folder` + `fileName`.
inline core::AudioFile& addRecord(core::FileList& list, const std::string& folder,
                                  const std::string& fileName) {
    auto record = std::make_unique<core::AudioFile>();
    record->path = folder + fileName;
    record->fileName = fileName;
    record->baseName = fileName.substr(0, fileName.size() - 4);
    record->id3v1.present = record->id3v2.present = true;
    list.add(std::move(record));
    return list.at(list.size() - 1);
}

// Three records that between them use every value an export writes: one full of plain
// values, one with characters beyond ASCII and text that means something in HTML and RTF,
// one with nothing at all.
inline void addSampleRecords(core::FileList& list, const std::string& folder) {
    core::AudioFile& a = addRecord(list, folder, "01 Intro.mp3");
    a.id3v1.track = 1;
    a.id3v2.title = "Intro & <Overture>";
    a.id3v1.title = "ignored: ID3v2 wins";
    a.id3v1.artist = "The Band";
    a.id3v1.album = "Live";
    a.id3v1.yearText = "1999";
    a.id3v1.genre = 17;
    a.id3v2.comment = "first";
    a.id3v2.composer = "C. Writer";
    a.id3v2.origArtist = "Others";
    a.id3v2.copyright = "(c) 1999";
    a.id3v2.url = "http://example.org/a?b=1&c=2";
    a.id3v2.publisher = "Label";
    a.id3v2.encodedBy = "Encoder";
    a.lyrics.text = "la la";
    a.createdText = "01/02/2003, 04:05.06";
    a.changedText = "02/03/2004, 05:06.07";
    a.size = 1536;
    a.streamText[static_cast<std::size_t>(core::StreamField::Length)] = "03:25";
    a.streamText[static_cast<std::size_t>(core::StreamField::Bitrate)] = "128 kbps";
    a.streamText[static_cast<std::size_t>(core::StreamField::Mode)] = "Joint Stereo";
    a.playSeconds = 205;

    core::AudioFile& b = addRecord(list, folder, "CD2/12 Caf\xC3\xA9.mp3");
    b.id3v2.track = 12;
    b.id3v2.title = "Caf\xC3\xA9 \xE2\x98\x95 \xF0\x9F\x98\x80";  // é, a cup, a grin
    b.id3v2.artist = "Sigur R\xC3\xB3s";
    b.id3v2.album = "back\\slash {braces}";
    b.size = 3 * 1024 * 1024;
    b.streamText[static_cast<std::size_t>(core::StreamField::Length)] = "01:00:01";
    b.playSeconds = 3601;

    addRecord(list, folder, "empty.mp3");
}

// Tags as other programs write them, each meaning something to an HTML or an RTF reader.
struct HostileTag {
    const char* title;
    const char* url;
    const char* lyrics;
    const char* lyricsShown;  // the lyrics as an RTF reader shows them
    bool linked;              // whether the HTML makes the URL a link
};
inline constexpr HostileTag kHostileTags[] = {
    {"R&B <b>bold</b>", "http://example.org/?a=1&b=\"2\" onclick=\"x\"", "one\r\ntwo", "one\ntwo",
     true},
    {"</td></tr></table><script>alert(1)</script>", "https://x.org/a b'c<d>", "a\\par b\nc",
     "a\\par b\nc", true},
    {"&amp; &#233; as typed", "javascript:alert(1)", "{\\b bold}\rnext", "{\\b bold}\nnext", false},
    {"\"quoted\" 'single' caf\xC3\xA9 }{", "www.example.org/caf\xC3\xA9", "}", "}", true},
};

inline void addHostileRecords(core::FileList& list) {
    for (const HostileTag& tag : kHostileTags) {
        core::AudioFile& file = addRecord(list, "/music/", "a.mp3");
        file.id3v2.title = tag.title;
        file.id3v2.url = tag.url;
        file.lyrics.text = tag.lyrics;
    }
}

using tw::test::writeFile;

// The golden file of that name in tests/export/golden.
inline std::string golden(const std::string& name) {
    const char* source = std::getenv("TW_SOURCE_DIR");
    return fileText(std::filesystem::path(source ? source : ".") / "tests/export/golden" / name);
}

}  // namespace tw::exports::test
