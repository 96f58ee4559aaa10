// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>

#include "cli/args.h"
#include "cli/record_output.h"

namespace tw::cli {

// The --format option of the commands that print records; `fallback` when it is absent,
// nullopt when its value is neither "tsv" nor "json".
std::optional<OutputFormat> outputFormat(const Args& args, OutputFormat fallback);

}  // namespace tw::cli
