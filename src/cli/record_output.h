// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <ostream>
#include <string>

#include "core/audio_file.h"

namespace tw::cli {

enum class OutputFormat { Tsv, Json };

// Writes records in one format, every record with the fields of forEachField():
//   TSV:  a header line of column names ("fileName", "stream.Size", "id3v1.title", ...),
//         written even when no record follows, then one line per record; backslash, tab,
//         line feed and carriage return inside a value are written as \\, \t, \n and \r;
//         flags as 1 or 0.
//   JSON: one object per record, groups as nested objects, and "pictures" with their
//         "count" and "items" (type number, MIME type, description, image size in bytes); a list is
//         an array with one record per line, a single record a bare object.
// Records are written as they come, straight from their UTF-8 bytes into one buffer that
// goes to the stream in large pieces, so a list of any length needs the memory of one
// record. The list is closed, and everything flushed, when the writer goes.
class RecordWriter {
public:
    struct Layout {
        bool asList = true;
        bool withInfoText = false;
    };

    RecordWriter(std::ostream& out, OutputFormat format, Layout layout);
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;
    ~RecordWriter();

    void write(const core::AudioFile& file);

private:
    void writeJson(const core::AudioFile& file);
    void writeJsonPictures(const core::PictureList& pictures);
    void writeTsv(const core::AudioFile& file);
    void flush();

    std::ostream& out_;
    OutputFormat format_;
    Layout layout_;
    int written_ = 0;
    std::string buffer_;
};

}  // namespace tw::cli
