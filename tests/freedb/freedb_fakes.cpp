// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb_fakes.h"

#include "freedb/xmcd_writer.h"

namespace tw::freedb {

void PrintTo(const AlbumInfo& album, std::ostream* out) {
    *out << "source " << static_cast<int>(album.source()) << ", category \"" << album.category()
         << "\", compilation " << album.isCompilation() << " \"" << album.compilationDelimiter()
         << "\", hasData " << album.hasData() << "\n"
         << WriteXmcd(album);
    for (const AlbumTrack& track : album.tracks())
        *out << "track " << track.index() << " modified " << track.modified() << "\n";
}

}  // namespace tw::freedb

namespace tw::freedb::test {

std::vector<SplitValueCase> BlanksAtSplitPoints() {
    std::vector<SplitValueCase> cases;
    for (const std::string key : {"DTITLE", "TTITLE1", "EXTD", "EXTT0"}) {
        // Where the writer ends the first line of a long value of this key.
        std::string probe;
        WriteXmcdLine(probe, key, std::string(600, 'x'));
        const std::size_t split = probe.find('\n') - key.size() - 1;
        const auto at = [&](std::string blanks, std::size_t position, const char* name) {
            std::string value = std::string(position, 'A') + blanks + std::string(50, 'B');
            cases.push_back({key, std::move(value), key + " " + name});
        };
        at(" ", split - 1, "blank ending the first line");
        at(" ", split, "blank starting the second line");
        at("  ", split - 1, "blanks on both sides of the split");
    }
    return cases;
}

AlbumInfo AlbumWithValue(const SplitValueCase& c) {
    AlbumInfo album = AlbumOfSeconds({180, 240});
    album.setArtist("Artist");
    album.setTitle("Title");
    if (c.key == "DTITLE") {
        album.setArtist(c.value);
        album.setTitle(c.value);
    } else if (c.key == "TTITLE1") {
        album.track(1).setTitle(c.value, false);
    } else if (c.key == "EXTD") {
        album.setExtendedData(c.value);
    } else {
        album.track(0).setExtraData(c.value, false);
    }
    return album;
}

std::string ValueOf(const AlbumInfo& album, const std::string& key) {
    if (key == "DTITLE")
        return album.artist();
    if (key == "TTITLE1")
        return album.trackCount() > 1 ? album.track(1).title() : "";
    if (key == "EXTD")
        return album.extendedData();
    return album.trackCount() > 0 ? album.track(0).extraData() : "";
}

std::vector<std::string> LinesOf(const std::string& record) {
    std::vector<std::string> lines;
    TextLineSource source(record);
    std::string line;
    while (source.receiveLine(line))
        lines.push_back(line);
    return lines;
}

}  // namespace tw::freedb::test
