// SPDX-License-Identifier: GPL-2.0-or-later
// ExpandMask with ApplySymbolTable over hostile masks, tag values and symbol tables.
// Input: a control byte, then '\x01'-separated fields: mask, title, artist, album, comment,
// base name, then symbol pairs.

#include <cstdlib>

#include "core/audio_file.h"
#include "fuzz_fields.h"
#include "rename/mask_expansion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tw;
    if (size == 0)
        return 0;
    const std::uint8_t control = data[0];
    const std::vector<std::string> fields = fuzz::splitFields(data + 1, size - 1);
    const std::string mask = fuzz::fieldAt(fields, 0);

    core::AudioFile file;
    file.id3v2.title = fuzz::fieldAt(fields, 1);
    file.id3v1.artist = fuzz::fieldAt(fields, 2);
    file.id3v2.album = fuzz::fieldAt(fields, 3);
    file.id3v1.comment = fuzz::fieldAt(fields, 4);
    file.baseName = fuzz::fieldAt(fields, 5);
    file.id3v1.track = control;
    file.id3v2.genre = static_cast<std::int8_t>(control);
    const rename::SymbolTable table =
        (control & 0x80) ? rename::SymbolTable::defaults() : fuzz::pairsFrom(fields, 6);

    const auto mode = static_cast<rename::CaseMode>(control % 9);
    const std::string name = rename::ExpandMask(file, mask, {control, control % 7 + 1},
                                                {control, control % 8}, mode, table);

    // Whatever the input, a name never holds the separator of this platform and never
    // climbs above the mask's own leading "..\" run.
    if (name.find('/') != std::string::npos)
        std::abort();
    std::size_t allowed = 0;
    while (mask.compare(allowed * 3, 3, "..\\") == 0)
        ++allowed;
    std::size_t start = 0;
    std::size_t upLevels = 0;
    bool leading = true;
    while (!name.empty()) {
        const std::size_t end = name.find('\\', start);
        const bool up = name.compare(start, end - start, "..") == 0 &&
                        (end == std::string::npos ? name.size() : end) - start == 2;
        if (up && (!leading || ++upLevels > allowed))
            std::abort();
        leading = leading && up;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return 0;
}
