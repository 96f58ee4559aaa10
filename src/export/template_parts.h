// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace tw::exports {

// The markers that divide an export template. They are searched as plain, case-sensitive
// text and never appear in the output.
inline constexpr std::string_view kRecordStart = "<!--<tunewright_record>-->";
inline constexpr std::string_view kRecordEnd = "<!--</tunewright_record>-->";
inline constexpr std::string_view kRecord2Start = "<!--<tunewright_record2>-->";

// A template split into its pieces; views into the template text, valid while it lives.
//   head:    everything before the first record start marker;
//   record1: between that marker and the first end marker after it;
//   record2: when the text after that end marker holds the record-2 marker and, after it, a
//            further end marker: the text between those two; else empty;
//   tail:    the text after the end marker of the last record block.
// Text between the end of record 1 and the record-2 marker belongs to no piece.
struct TemplateParts {
    std::string_view head;
    std::string_view record1;
    std::string_view record2;
    std::string_view tail;

    // The record block for the file counted `count` from 0: record 1 when there is no
    // record 2, else record 1 and record 2 in turn.
    std::string_view recordFor(long count) const {
        return record2.empty() || count % 2 == 0 ? record1 : record2;
    }
};

// Splits a template; nullopt when the record start marker or the end marker after it is
// missing.
std::optional<TemplateParts> SplitTemplate(std::string_view text);

}  // namespace tw::exports
