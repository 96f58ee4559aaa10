// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/xmcd_reader.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "freedb/album_info.h"
#include "freedb/compilation.h"
#include "freedb/disc_title.h"
#include "freedb/line_source.h"
#include "freedb/text_util.h"
#include "freedb/xmcd_writer.h"

namespace tw::freedb {

namespace {

// "\n", "\t" and "\\" in one left-to-right pass; any other backslash stays.
std::string decodeEscapes(std::string_view line) {
    std::string decoded;
    decoded.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\\' && i + 1 < line.size()) {
            const char next = line[i + 1];
            if (next == 'n' || next == 't' || next == '\\') {
                decoded += next == 'n' ? '\n' : next == 't' ? '\t' : '\\';
                ++i;
                continue;
            }
        }
        decoded += c;
    }
    return decoded;
}

// An unsigned number as scanf's "%u" reads it: white space, an optional sign, digits. A
// negative number wraps around; one too large for 32 bits saturates. Null without digits.
std::optional<std::uint32_t> scanUnsigned(std::string_view text) {
    text = TrimLeft(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text[0] < '0' || text[0] > '9')
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > 0xFFFFFFFFu)
            value = 0x100000000u;  // stays above the limit
    }
    if (value > 0xFFFFFFFFu)
        return 0xFFFFFFFFu;
    const auto result = static_cast<std::uint32_t>(value);
    return negative ? static_cast<std::uint32_t>(0u - result) : result;
}

// The number of "# Revision: 3": digits only, after white space. Null for anything else.
std::optional<std::uint32_t> revisionNumber(std::string_view text) {
    text = Trim(text);
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return number;
}

// The track number that follows a TTITLE or EXTT key: its leading decimal digits, 0 when
// there are none.
std::size_t trackNumber(std::string_view afterKey) {
    std::size_t number = 0;
    for (char c : afterKey) {
        if (c < '0' || c > '9')
            break;
        number = number * 10 + static_cast<std::size_t>(c - '0');
        if (number >= kMaxAlbumTracks)
            return kMaxAlbumTracks;
    }
    return number;
}

class RecordReader {
public:
    explicit RecordReader(AlbumInfo& album) : album_(album) {}

    // Applies one line; false when the line ends the record as unreadable.
    bool apply(const std::string& line);

    bool headerSeen() const { return headerSeen_; }
    const std::string& discTitle() const { return discTitle_; }

private:
    void readOffset(std::string_view line);

    AlbumInfo& album_;
    bool headerSeen_ = false;
    long offsetIndex_ = -1;
    std::string discTitle_;
};

bool RecordReader::apply(const std::string& line) {
    const std::size_t e = line.find('=');
    const std::string_view value =
        std::string_view(line).substr(e == std::string::npos ? 0 : e + 1);

    if (StartsWith(line, "# xmcd")) {
        headerSeen_ = true;
    } else if (StartsWith(line, "# Revision:")) {
        offsetIndex_ = -1;
        if (auto revision = revisionNumber(std::string_view(line).substr(11)))
            album_.setRevision(revision);
    } else if (StartsWith(line, kEditedAfterRevisionLine)) {
        album_.markEditedAfterRevision();
    } else if (StartsWith(line, "#") && offsetIndex_ >= 0) {
        readOffset(line);
    } else if (StartsWith(line, "# Track frame offsets:")) {
        offsetIndex_ = 0;
    } else if (StartsWith(line, "# Disc length:")) {
        if (auto seconds = scanUnsigned(std::string_view(line).substr(14)))
            album_.setDiscLengthSeconds(*seconds);
    } else if (StartsWith(line, "DYEAR")) {
        if (e == std::string::npos)
            return false;
        // A year is a number; blanks around it are no part of it.
        album_.setYear(Trim(value));
    } else if (StartsWith(line, "DTITLE")) {
        discTitle_ += value;
    } else if (StartsWith(line, "DGENRE")) {
        album_.appendGenre(value);
    } else if (StartsWith(line, "EXTD")) {
        album_.appendExtendedData(value);
    } else if (StartsWith(line, "TTITLE") || StartsWith(line, "EXTT")) {
        if (e == std::string::npos)
            return false;
        const bool isTitle = line[0] == 'T';
        // Numbers past the limit are ignored rather than growing the album.
        if (AlbumTrack* track = album_.trackAt(trackNumber(line.substr(isTitle ? 6 : 4)))) {
            if (isTitle)
                track->setTitle(value, true);
            else
                track->setExtraData(value, true);
        }
    }
    return true;
}

void RecordReader::readOffset(std::string_view line) {
    const auto frames = scanUnsigned(line.substr(1));
    AlbumTrack* track = nullptr;
    if (frames && *frames < 0x80000000u)
        track = album_.trackAt(static_cast<std::size_t>(offsetIndex_));
    if (track == nullptr) {
        offsetIndex_ = -1;
        return;
    }
    track->setFrameOffset(*frames);
    ++offsetIndex_;
}

}  // namespace

bool ReadXmcd(AlbumInfo& album, LineSource& source, AlbumLog* log) {
    RecordReader reader(album);
    std::string line;
    std::size_t bytes = 0;
    while (source.receiveLine(line)) {
        if (TrimRight(line) == "." || StartsWith(line, "#FILENAME="))
            break;
        bytes += line.size() + 1;
        if (bytes > kMaxXmcdBytes)
            return false;
        if (!reader.apply(decodeEscapes(line)))
            return false;
    }
    DetectCompilation(album, kXmcdCompilationDelimiters, log);
    const DiscTitle parts = SplitDiscTitle(reader.discTitle());
    album.setArtist(parts.artist);
    album.setTitle(parts.title);
    return reader.headerSeen();
}

}  // namespace tw::freedb
