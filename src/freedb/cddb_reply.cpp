// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/cddb_reply.h"

#include <limits>

#include "base/ascii.h"
#include "freedb/text_util.h"

namespace tw::freedb {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Reads an unsigned number the way "%u" does after a literal prefix: leading white space is
// skipped; nullopt when no digit follows. Values past 32 bits saturate.
std::optional<std::uint32_t> scanUnsigned(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && isSpace(s[i]))
        ++i;
    if (i < s.size() && s[i] == '+')
        ++i;
    if (i == s.size() || s[i] < '0' || s[i] > '9')
        return std::nullopt;
    std::uint64_t value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        value = value * 10 + static_cast<std::uint64_t>(s[i] - '0');
        if (value > std::numeric_limits<std::uint32_t>::max())
            value = std::numeric_limits<std::uint32_t>::max();
    }
    return static_cast<std::uint32_t>(value);
}

// The stat keys in counter order; the eleven categories follow the total.
constexpr std::array<std::string_view, ServerStatistics::Count> kStatKeys = {"Database entries:",
                                                                             "blues:",
                                                                             "classical:",
                                                                             "country:",
                                                                             "folk:",
                                                                             "jazz:",
                                                                             "misc:",
                                                                             "newage:",
                                                                             "reggae:",
                                                                             "rock:",
                                                                             "soundtrack:",
                                                                             "data:",
                                                                             "current users:",
                                                                             "max users:"};

}  // namespace

unsigned ReplyCode(std::string_view line) {
    return scanUnsigned(line.substr(0, 3)).value_or(0);
}

bool RefusesProtocolLevel(std::string_view line) {
    line = Trim(line);
    const unsigned code = ReplyCode(line);
    return (code == 500 || code == 501) &&
           base::asciiLower(line).find("level") != std::string::npos;
}

ProtocolLevels ParseProtocolLevels(std::string_view line) {
    const auto levelAfter = [&](std::string_view word) -> unsigned {
        const std::size_t at = line.find(word);
        if (at == std::string_view::npos)
            return 0;
        return scanUnsigned(line.substr(at + word.size())).value_or(0);
    };
    return {levelAfter("current"), levelAfter("supported")};
}

std::optional<QueryMatch> ParseQueryResultLine(std::string_view line) {
    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos)
        return std::nullopt;
    const std::string_view rest = line.substr(blank + 1);
    if (rest.find(' ') != 8)
        return std::nullopt;
    QueryMatch match;
    match.category = std::string(line.substr(0, blank));
    match.discId = std::string(rest.substr(0, 8));
    const std::string_view discTitle = rest.substr(9);
    const std::size_t split = discTitle.find(" / ");
    if (split == std::string_view::npos) {
        match.artist = match.title = std::string(discTitle);
    } else {
        match.artist = std::string(discTitle.substr(0, split));
        match.title = std::string(discTitle.substr(split + 3));
    }
    return match;
}

ServerRecord ParseServerLine(std::string_view line) {
    ServerRecord server;
    std::string* fields[] = {&server.site,    &server.protocol, &server.port,
                             &server.address, &server.latitude, &server.longitude};
    for (std::string* field : fields) {
        const std::size_t blank = line.find(' ');
        if (blank == std::string_view::npos) {
            *field = std::string(line);
            return server;
        }
        *field = std::string(line.substr(0, blank));
        line.remove_prefix(blank + 1);
    }
    server.description = std::string(line);
    return server;
}

std::string FormatServerLine(const ServerRecord& server) {
    return server.site + ' ' + server.protocol + ' ' + server.port + ' ' + server.address + ' ' +
           server.latitude + ' ' + server.longitude + ' ' + server.description;
}

void ApplyStatLine(ServerStatistics& stats, std::string_view line) {
    for (std::size_t i = 0; i < kStatKeys.size(); ++i) {
        const std::string_view key = kStatKeys[i];
        if (line.substr(0, key.size()) != key)
            continue;
        if (auto value = scanUnsigned(line.substr(key.size())))
            stats.counters[i] = *value;
    }
}

}  // namespace tw::freedb
