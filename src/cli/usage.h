// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <ostream>

namespace tw::cli {

// The usage text: the global options and every command's synopsis and summary.
void printUsage(std::ostream& out);

}  // namespace tw::cli
