// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "export/record_values.h"
#include "export/text_sink.h"

namespace tw::core {
struct AudioFile;
}

namespace tw::exports {

// A token of a template's record blocks and the value it stands for.
struct TemplateToken {
    std::string_view text;
    RecordValue value;
};

// The tokens in the order they are replaced.
std::span<const TemplateToken> templateTokens();

// Fills a copy of a record block for one file: every token, in order, is replaced by the
// file's value with `escape` applied (plain text substitution, so a value holding the text
// of a later token gets that replaced too). A replacement that would make the copy longer
// than the record plus kMaxRecordGrowth is not made and its token stays as text.
std::string FillTemplateRecord(std::string_view record, const core::AudioFile& file,
                               TextEscape escape);

inline constexpr std::size_t kMaxRecordGrowth = 16 * 1024 * 1024;

}  // namespace tw::exports
