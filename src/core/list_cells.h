// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/audio_file.h"
#include "core/file_list.h"
#include "core/list_columns.h"

namespace tw::core {

// The texts the file list shows: cells, the size text, and the totals of the information
// field.

// "1000 Bytes", "1.50 KB", "3.00 MB": KB below 1 MB and at exactly 1 MB.
std::string sizeText(std::uint64_t size);
// The record's size text, made on first use and kept in the record.
const std::string& cachedSizeText(AudioFile& record);

// The file name as the list shows it (displayName(false)), without copying it.
std::string_view listedName(const AudioFile& record);
// The genre number that stands for the file: its ID3v2 genre when that lies in 0..127, else
// its ID3v1 genre (the key of the Genre column's sort, and what the tag tabs show, each
// with the free genre of the ID3v2 fields beside it).
std::int32_t preferredGenre(const AudioFile& record);

// Cell texts of the list. The words it shows ("Yes", "No") are looked up in the active
// language once, when the object is made. The views returned point into the record (or
// this object) and stay valid until either changes.
class ListCellTexts {
public:
    ListCellTexts();

    // The text of `column` for `record`. Non-const record: the size text is made and
    // kept on first use.
    std::string_view text(AudioFile& record, TagFieldId column) const;

private:
    std::string yes_;
    std::string no_;
};

// The information field's summary when not exactly one file is selected: the size of all
// files, the play time of all and of the selected ones, joined by "\r\n".
std::string totalsText(const FileList& list);

}  // namespace tw::core
