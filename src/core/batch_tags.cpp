// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/batch_tags.h"

#include "core/formats/format_tags.h"
#include "core/tag_edit.h"

namespace tw::core {

void setNumbering(FileList& list, const Numbering& numbering) {
    const std::int32_t total = numbering.withTotal ? numbering.start + list.selectedCount() - 1 : 0;
    std::int32_t counter = numbering.start;
    list.forEachSelected([&](AudioFile& file) {
        if (holdsId3v1(file.format))
            file.id3v1.setTrack(counter, true);
        file.id3v2.setTrack(counter, true);
        file.id3v2.setTrackTotal(total, true);
        ++counter;
    });
}

void removeNumbering(FileList& list) {
    list.forEachSelected([](AudioFile& file) {
        if (holdsId3v1(file.format))
            file.id3v1.setTrack(0, true);
        file.id3v2.setTrack(0, true);
        file.id3v2.setTrackTotal(0, true);
    });
}

void fillV1FromV2Selected(FileList& list) {
    list.forEachSelected([](AudioFile& file) {
        if (holdsId3v1(file.format))
            fillV1FromV2(file, false);
    });
}

void fillV2FromV1Selected(FileList& list) {
    list.forEachSelected([](AudioFile& file) {
        if (holdsId3v1(file.format))
            fillV2FromV1(file, false);
    });
}

bool clearV1Selected(FileList& list) {
    bool changed = false;
    list.forEachSelected([&](AudioFile& file) {
        if (holdsId3v1(file.format))
            changed |= clearFields(file.id3v1);
    });
    return changed;
}

int selectedWithoutId3v1(const FileList& list) {
    int count = 0;
    for (int index : list.selectedIndices())
        count += holdsId3v1(list.at(index).format) ? 0 : 1;
    return count;
}

bool clearV2Selected(FileList& list) {
    bool changed = false;
    list.forEachSelected([&](AudioFile& file) {
        changed |= clearFields(file.id3v2);
        // The tag goes with its pictures.
        if (!file.id3v2.present)
            file.pictures.removeType(-1);
    });
    return changed;
}

}  // namespace tw::core
