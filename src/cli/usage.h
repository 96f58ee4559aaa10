// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <ostream>
#include <string_view>

namespace tw::cli {

// The usage text: the global options and every command's synopsis and summary.
void printUsage(std::ostream& out);

// The names of the program's export templates, HTML then RTF, one a line after `indent`:
// what "export-template --template NAME" takes.
void printTemplateNames(std::ostream& out, std::string_view indent);

}  // namespace tw::cli
