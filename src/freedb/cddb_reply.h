// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tw::freedb {

// The protocol level the client asks for; from it on, servers speak UTF-8.
inline constexpr unsigned kModernProtocolLevel = 6;

// The levels a reply to "proto" reports ("200 CDDB protocol level: current 1, supported 5"):
// the numbers after the words "current" and "supported"; 0 for a level the line does not
// name.
struct ProtocolLevels {
    unsigned current = 0;
    unsigned supported = 0;
};
ProtocolLevels ParseProtocolLevels(std::string_view line);

// The reply code of a CDDB reply line: its first three characters read as a number, 0 when
// they are not one.
unsigned ReplyCode(std::string_view line);

// Whether an error reply refuses the protocol level a command was sent at ("501 Illegal
// CDDB protocol level.") rather than the command itself ("501 Invalid category"): a 500 or
// 501 that names the level.
bool RefusesProtocolLevel(std::string_view line);

// One match of "cddb query" or of the web search: where the album is and its disc title.
struct QueryMatch {
    std::string category;
    std::string discId;
    std::string artist;
    std::string title;
};

// A query result line: "category discid artist / title". Nullopt when the category is not
// followed by a blank or the disc id is not eight characters long. The words are not
// checked here; callers check them before they name files (see album_path_check.h).
std::optional<QueryMatch> ParseQueryResultLine(std::string_view line);

// One server of a "sites" reply or of the stored server list.
struct ServerRecord {
    std::string site;
    std::string protocol;
    std::string port;
    std::string address;
    std::string latitude;
    std::string longitude;
    std::string description;

    bool operator==(const ServerRecord&) const = default;
};

// A "sites" line: cut at single blanks into the first six fields; the rest after the
// sixth blank is the description. Missing fields stay empty.
ServerRecord ParseServerLine(std::string_view line);
// The inverse, as stored in the server list.
std::string FormatServerLine(const ServerRecord& server);

// The counters of a "stat" reply.
struct ServerStatistics {
    enum Counter : std::size_t {
        Total,
        FirstCategory,  // the eleven categories in category order follow
        CurrentUsers = FirstCategory + 11,
        MaxUsers,
        Count
    };
    std::array<std::uint32_t, Count> counters{};
};

// Reads the counter a "stat" line names ("Database entries: 123", "rock: 45", ...) into
// `stats`; other lines leave it unchanged.
void ApplyStatLine(ServerStatistics& stats, std::string_view line);

}  // namespace tw::freedb
