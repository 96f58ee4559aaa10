// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw::test {

// One album the fake servers know.
struct FakeAlbum {
    std::string category;
    std::string discId;
    std::string discTitle;          // "Artist / Title", as a query result shows it
    std::vector<std::string> xmcd;  // the record's lines, without the closing "."
};

// An xmcd record for a fake album with `tracks` tracks named "Track N".
std::vector<std::string> MakeFakeXmcd(const std::string& discId, const std::string& discTitle,
                                      int tracks);

// The server side of the CDDB commands, shared by the fake cddbp and HTTP servers: it turns
// a command line into the reply lines a server sends, and records what it was asked.
// Thread-safe: many client connections use one database.
//
// Like a real server it speaks a protocol level per connection: a connection starts at
// level 1; "proto N" sets a level up to the highest one the server supports (6 unless told
// otherwise) and "proto" reports both. Below level 6 the reply text goes out as 8-bit text
// (ISO-8859-1; a character outside it becomes "?"), from level 6 on as UTF-8.
class FakeCddbDatabase {
public:
    // A script may answer a command itself; returning nullopt leaves it to the database.
    using Script = std::function<std::optional<std::vector<std::string>>(std::string_view)>;

    void add(FakeAlbum album);
    void setScript(Script script);
    void setSites(std::vector<std::string> lines);
    void setStatLines(std::vector<std::string> lines);
    // The highest protocol level the server takes: an old server refuses "proto 6".
    void setHighestProtocolLevel(int level);
    int highestProtocolLevel() const;

    // The reply lines to one command on a connection at `level` (multi-line replies end
    // with "."); empty for a command that gets no reply. "proto N" changes `level`.
    std::vector<std::string> reply(std::string_view command, int& level);

    std::vector<std::string> commands() const;
    // How often "cddb read CATEGORY DISCID" was answered with the record.
    int readCount(const std::string& category, const std::string& discId) const;

private:
    std::vector<std::string> answer(std::string_view command, int& level);
    std::vector<std::string> protocolLevel(const std::vector<std::string>& words, int& level);
    std::vector<std::string> query(std::string_view discId);
    std::vector<std::string> read(const std::string& category, const std::string& discId);

    mutable std::mutex mutex_;
    std::vector<FakeAlbum> albums_;
    Script script_;
    std::vector<std::string> sites_;
    std::vector<std::string> statLines_;
    std::vector<std::string> commands_;
    std::map<std::string, int> reads_;
    int highestLevel_ = 6;
};

}  // namespace tw::test
