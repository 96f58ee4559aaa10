#pragma once

#include <ostream>
#include <vector>

#include "cli/record_fields.h"
#include "core/audio_file.h"

namespace tw::cli {

enum class OutputFormat { Tsv, Json };

// Writes records in one format, every record with the fields of describeRecord():
//   TSV:  a header line of column names ("fileName", "stream.Size", "id3v1.title", ...),
//         written even when no record follows, then one line per record; backslash, tab,
//         line feed and carriage return inside a value are written as \\, \t, \n and \r;
//         flags as 1 or 0.
//   JSON: one object per record, groups as nested objects; a list is an array with one
//         record per line, a single record a bare object.
// The list is closed when the writer goes.
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
    void writeJson(const std::vector<RecordField>& fields);

    std::ostream& out_;
    OutputFormat format_;
    Layout layout_;
    int written_ = 0;
};

}  // namespace tw::cli
