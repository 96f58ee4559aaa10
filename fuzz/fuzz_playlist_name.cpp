// SPDX-License-Identifier: GPL-2.0-or-later
// The playlist name and path over hostile masks, tag values and symbol tables.
// Input: a control byte, then '\x01'-separated fields: the mask, then artist, album, year,
// genre and comment, then symbol pairs.

#include <cstdlib>

#include "export/playlist_name.h"
#include "fuzz_fields.h"
#include "rename/symbol_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tw;
    if (size == 0)
        return 0;
    const std::uint8_t control = data[0];
    const std::vector<std::string> fields = fuzz::splitFields(data + 1, size - 1);
    const std::string mask = fuzz::fieldAt(fields, 0);

    exports::PlaylistTokenValues values;
    values.severalArtists = control & 1;
    values.artist = fuzz::fieldAt(fields, 1);
    values.album = fuzz::fieldAt(fields, 2);
    values.year = fuzz::fieldAt(fields, 3);
    values.genre = fuzz::fieldAt(fields, 4);
    values.comment = fuzz::fieldAt(fields, 5);
    const rename::SymbolTable table =
        (control & 0x80) ? rename::SymbolTable::defaults() : fuzz::pairsFrom(fields, 6);
    const auto type = static_cast<exports::PlaylistType>(control % 3);
    const auto mode = static_cast<rename::CaseMode>((control >> 2) % 8);

    const std::string name = exports::ExpandPlaylistName(mask, values, type);
    const int upLevels = exports::maskUpLevels(mask);
    const exports::PlaylistLocation location =
        exports::PlaylistPath("/out/a/b/", name, upLevels, table, mode);
    if (!location.safe)
        return 0;

    // A usable path never climbs by a ".." of its own, and stays below the chosen folder
    // unless the mask itself begins with up-steps.
    const std::string& path = location.path;
    if (path.empty() || path.front() != '/' || path.find("//") != std::string::npos)
        std::abort();
    for (std::size_t start = 1; start <= path.size();) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        if (path.compare(start, end - start, "..") == 0 && end - start == 2)
            std::abort();
        start = end + 1;
    }
    if (upLevels == 0 && !path.starts_with("/out/a/b/"))
        std::abort();
    return 0;
}
