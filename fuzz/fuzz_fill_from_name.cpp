// SPDX-License-Identifier: GPL-2.0-or-later
// FillTagsFromName over hostile masks, file names and symbol tables.
// Input: a control byte, then '\x01'-separated fields: mask, base name, then symbol pairs.

#include "core/audio_file.h"
#include "fuzz_fields.h"
#include "rename/filename_to_tag.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tw;
    if (size == 0)
        return 0;
    const std::uint8_t control = data[0];
    const std::vector<std::string> fields = fuzz::splitFields(data + 1, size - 1);

    core::AudioFile file;
    file.baseName = fuzz::fieldAt(fields, 1);
    file.id3v1.present = (control & 0x10) != 0;
    file.id3v2.present = (control & 0x20) != 0;
    file.id3v1.title = "kept";
    file.id3v2.genre = 17;
    const rename::FillOptions options{(control & 1) != 0, (control & 2) != 0, (control & 4) != 0,
                                      static_cast<rename::CaseMode>((control >> 3) % 8)};
    const rename::SymbolTable table =
        (control & 0x80) ? rename::SymbolTable::defaults() : fuzz::pairsFrom(fields, 2);
    rename::FillTagsFromName(file, fuzz::fieldAt(fields, 0), options, table);
    return 0;
}
