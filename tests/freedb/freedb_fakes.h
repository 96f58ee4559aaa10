// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <deque>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "freedb/album_info.h"
#include "freedb/album_log.h"
#include "freedb/line_source.h"

namespace tw::freedb {

// Shows an album in failure messages as the xmcd text of its fields.
void PrintTo(const AlbumInfo& album, std::ostream* out);

}  // namespace tw::freedb

namespace tw::freedb::test {

// Hands out the lines of a text (split at "\n"; a final line without one counts too).
class TextLineSource : public LineSource {
public:
    explicit TextLineSource(std::string_view text) {
        while (!text.empty()) {
            const std::size_t end = text.find('\n');
            lines_.emplace_back(text.substr(0, end));
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        }
    }
    bool receiveLine(std::string& line) override {
        if (lines_.empty())
            return false;
        line = lines_.front();
        lines_.pop_front();
        return true;
    }
    std::size_t remaining() const { return lines_.size(); }

private:
    std::deque<std::string> lines_;
};

// Keeps every text logged.
class RecordingLog : public AlbumLog {
public:
    std::vector<std::string> texts;
    void log(std::string_view text) override { texts.emplace_back(text); }
};

// An album known only by where a server or a store keeps it, as a listing leaves it.
inline AlbumInfo AlbumKey(const std::string& category, const std::string& discId) {
    AlbumInfo album;
    album.setCategory(category);
    album.setDiscId(discId);
    return album;
}

// "category discId artist / title", to check what a listing found in one comparison.
inline std::string Summary(const AlbumInfo& album) {
    return album.category() + " " + album.discId() + " " + album.artist() + " / " + album.title();
}

// A value with blanks just where the xmcd writer splits it over two lines of its key: at the
// end of the first line, at the start of the second, or both.
struct SplitValueCase {
    std::string key;  // DTITLE, TTITLE1, EXTD or EXTT0: the keys whose values continue
    std::string value;
    std::string name;  // for failure messages
};
// The cases for every key that continues, at the split points the writer itself chooses.
std::vector<SplitValueCase> BlanksAtSplitPoints();
// A two-track album with the case's value in the field its key names (for DTITLE, both
// artist and title, so that the disc title is the value alone).
AlbumInfo AlbumWithValue(const SplitValueCase& c);
// That field of `album`.
std::string ValueOf(const AlbumInfo& album, const std::string& key);

// The record as the lines a server sends, without line ends.
std::vector<std::string> LinesOf(const std::string& record);

// An album as the lookup builds it from play times: tracks back to back from frame 150.
inline AlbumInfo AlbumOfSeconds(std::initializer_list<std::uint32_t> seconds) {
    AlbumInfo album;
    std::uint32_t offset = 150;
    std::uint32_t total = 0;
    std::size_t i = 0;
    for (std::uint32_t s : seconds) {
        album.trackAt(i++)->setFrameOffset(offset);
        offset += s * 75;
        total += s;
    }
    album.setDiscLengthSeconds(total);
    return album;
}

}  // namespace tw::freedb::test
