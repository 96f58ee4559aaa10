// SPDX-License-Identifier: GPL-2.0-or-later
// Feeds arbitrary bytes, line by line, to the parsers of CDDB reply lines: reply codes, query
// result lines, "sites" lines (which must survive their own round trip), "stat" lines, the
// protocol levels of a "proto" reply, and the answers that refuse a protocol level.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "freedb/cddb_protocol_store.h"
#include "freedb/cddb_reply.h"
#include "freedb/text_util.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tw::freedb;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    ServerStatistics statistics;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);

        if (ReplyCode(line) > 999)
            std::abort();
        if (const auto match = ParseQueryResultLine(line)) {
            if (match->discId.size() != 8)
                std::abort();
            IsUsableMatch(*match);
        }
        if (line.find('\n') == std::string_view::npos) {
            const ServerRecord server = ParseServerLine(line);
            // Blanks inside the six first fields cannot occur, so the line comes back whole.
            if (FormatServerLine(server) != line && line.find(' ') != std::string_view::npos &&
                std::count(line.begin(), line.end(), ' ') >= 6)
                std::abort();
        }
        ApplyStatLine(statistics, line);
        ParseProtocolLevels(line);
        if (RefusesProtocolLevel(line) && ReplyCode(TrimLeft(line)) / 100 != 5)
            std::abort();
    }
    return 0;
}
