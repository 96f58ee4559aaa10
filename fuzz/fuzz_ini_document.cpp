// SPDX-License-Identifier: GPL-2.0-or-later
// Loads arbitrary bytes as an INI document and runs the lookups and edits of the CD-player
// store and the connection settings over every section it finds.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "freedb/ini_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using tw::freedb::IniDocument;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    IniDocument ini;
    ini.loadText(bytes);

    for (std::size_t i = 0; i < ini.lineCount() && i < 256; ++i) {
        if (!ini.isSectionHeader(i))
            continue;
        const std::string name = ini.sectionName(i);
        (void)ini.getString(name, "title", "***");
        (void)ini.getInt(name, "numTracks", 0);
        (void)ini.getString(name, "0", "N/A");
    }
    // Edits: a value taken from the input (line breaks included), a key in a new section,
    // then removal of the first section.
    const std::string value(bytes.substr(0, 64));
    ini.setString("CDDB", "RemoteServer", value);
    ini.setInt(value, "numTracks", static_cast<std::int32_t>(size));
    const long section = ini.findSection("CDDB");
    if (section < 0 || ini.getString("CDDB", "RemoteServer", "").find('\n') != std::string::npos)
        __builtin_trap();  // a written value is found again and never breaks its line
    if (ini.lineCount() > 0)
        ini.removeSection(0);
    (void)ini.text();
    return 0;
}
