#pragma once

#include <ostream>
#include <string_view>
#include <vector>

#include "cli/record_fields.h"

namespace tw::cli {

enum class OutputFormat { Tsv, Json };

// Writes described records in one format. The formats:
//   TSV:  a header line of column names ("fileName", "stream.Size", "id3v1.title", ...),
//         then one line per record; backslash, tab, line feed and carriage return inside a
//         value are written as \\, \t, \n and \r; flags as 1 or 0.
//   JSON: one object per record, groups as nested objects; a list is an array with one
//         record per line.
class RecordWriter {
public:
    RecordWriter(std::ostream& out, OutputFormat format, bool asList);
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;
    ~RecordWriter();  // closes the list

    void write(const std::vector<RecordField>& fields);

private:
    void writeTsv(const std::vector<RecordField>& fields);
    void writeJson(const std::vector<RecordField>& fields);

    std::ostream& out_;
    OutputFormat format_;
    bool asList_;
    int written_ = 0;
};

}  // namespace tw::cli
