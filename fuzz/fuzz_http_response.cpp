// SPDX-License-Identifier: GPL-2.0-or-later
// Feeds arbitrary bytes to the HTTP response reader as a server's answer, cut into pieces at
// points the input chooses, then takes every body line; the decoded lines must not depend on
// how the bytes were cut, and a failure must name its cause.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "freedb/http_response_reader.h"

namespace {

std::vector<std::string> readAll(std::string_view bytes, std::size_t step, bool& failed) {
    tw::freedb::HttpResponseReader reader;
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t pos = 0; pos < bytes.size(); pos += step) {
        reader.feed(bytes.substr(pos, step));
        while (reader.takeBodyLine(line))
            lines.push_back(line);
    }
    reader.finish();
    while (reader.takeBodyLine(line))
        lines.push_back(line);
    failed = reader.state() == tw::freedb::HttpResponseReader::State::Failed;
    // A failed response always says why, and only a failed one does.
    if (failed != (reader.failure().kind != tw::freedb::NetFailure::Kind::None))
        std::abort();
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::size_t step = 1 + data[0] % 16;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    bool wholeFailed = false;
    bool piecesFailed = false;
    const std::vector<std::string> whole = readAll(bytes, bytes.size() + 1, wholeFailed);
    const std::vector<std::string> pieces = readAll(bytes, step, piecesFailed);
    if (!wholeFailed && !piecesFailed && whole != pieces)
        std::abort();
    return 0;
}
