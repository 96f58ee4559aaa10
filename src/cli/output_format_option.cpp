// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/output_format_option.h"

namespace tw::cli {

std::optional<OutputFormat> outputFormat(const Args& args, OutputFormat fallback) {
    const std::string* value = args.value("format");
    if (!value)
        return fallback;
    if (*value == "tsv")
        return OutputFormat::Tsv;
    if (*value == "json")
        return OutputFormat::Json;
    return std::nullopt;
}

}  // namespace tw::cli
