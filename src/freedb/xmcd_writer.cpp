// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/xmcd_writer.h"

#include <algorithm>

#include "freedb/album_info.h"
#include "freedb/client_identity.h"
#include "freedb/disc_title.h"
#include "freedb/text_util.h"

namespace tw::freedb {

namespace {

constexpr std::size_t kMaxLineLength = 250;

// Line feeds and tabs are escaped; every other control character is dropped, so that no
// record the program writes holds one.
std::string escapeValue(std::string_view value) {
    std::string escaped;
    escaped.reserve(value.size());
    for (char c : WithoutControlCharacters(value, "\t\n")) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\t':
                escaped += "\\t";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The bytes of the unit that starts at `pos`: an escape pair, or a character with its UTF-8
// continuation bytes (at most four bytes, so broken text still moves on).
std::size_t unitLength(std::string_view text, std::size_t pos) {
    if (text[pos] == '\\')
        return std::min<std::size_t>(2, text.size() - pos);
    std::size_t length = 1;
    while (length < 4 && pos + length < text.size() && isContinuationByte(text[pos + length]))
        ++length;
    return length;
}

// The longest front of `escaped` of at most `limit` bytes that ends neither inside an escape
// pair nor inside a UTF-8 character, so each line decodes on its own; at least one unit.
std::size_t splitPoint(std::string_view escaped, std::size_t limit) {
    std::size_t end = 0;
    while (end < escaped.size()) {
        const std::size_t unit = unitLength(escaped, end);
        if (end + unit > limit)
            return end > 0 ? end : unit;
        end += unit;
    }
    return end;
}

void appendPair(std::string& out, std::string_view key, std::string_view value) {
    out += key;
    out += '=';
    out += value;
    out += '\n';
}

}  // namespace

void WriteXmcdLine(std::string& out, std::string_view key, std::string_view value) {
    const std::string escaped = escapeValue(value);
    if (key.size() + escaped.size() + 1 <= kMaxLineLength) {
        appendPair(out, key, escaped);
        return;
    }
    const std::size_t room = key.size() + 1 < kMaxLineLength ? kMaxLineLength - 1 - key.size() : 1;
    std::string_view rest(escaped);
    while (!rest.empty()) {
        const std::size_t take = splitPoint(rest, room);
        appendPair(out, key, rest.substr(0, take));
        rest.remove_prefix(take);
    }
}

namespace {

std::string writeRecord(const AlbumInfo& album, bool markLocalEdits) {
    std::string out = "# xmcd\n#\n#\n# Track frame offsets:\n";
    for (const AlbumTrack& track : album.tracks())
        out += "#\t" + std::to_string(track.frameOffset()) + "\n";
    out += "#\n#\n# Disc length: " + std::to_string(album.discLengthSeconds()) + " seconds\n#\n";
    out += "# Revision: " + std::to_string(album.revision().value_or(0)) + "\n";
    if (markLocalEdits && album.revision() && album.editedSinceRead()) {
        out += kEditedAfterRevisionLine;
        out += '\n';
    }
    out += "# Submitted via: ";
    out += kClientName;
    out += ' ';
    out += kClientVersion;
    out += '\n';

    WriteXmcdLine(out, "DISCID", album.discId());
    WriteXmcdLine(out, "DTITLE", JoinDiscTitle(album.artist(), album.title()));
    WriteXmcdLine(out, "DYEAR", album.year());
    // A record without a genre of its own is filed under its category's name.
    WriteXmcdLine(out, "DGENRE", album.genre().empty() ? album.category() : album.genre());
    for (const AlbumTrack& track : album.tracks()) {
        const std::string key = "TTITLE" + std::to_string(track.index());
        if (album.isCompilation())
            WriteXmcdLine(out, key, track.artist() + " / " + track.title());
        else
            WriteXmcdLine(out, key, track.title());
    }
    WriteXmcdLine(out, "EXTD", album.extendedData());
    for (const AlbumTrack& track : album.tracks())
        WriteXmcdLine(out, "EXTT" + std::to_string(track.index()), track.extraData());
    WriteXmcdLine(out, "PLAYORDER", "");
    return out;
}

}  // namespace

std::string WriteXmcd(const AlbumInfo& album) {
    return writeRecord(album, false);
}

std::string WriteStoredXmcd(const AlbumInfo& album) {
    return writeRecord(album, true);
}

}  // namespace tw::freedb
