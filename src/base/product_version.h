// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string_view>

namespace tw::base {

// The program's version as the build names it (the project version in CMake), for
// "--version" and wherever the program tells which release it is.
std::string_view productVersion();

}  // namespace tw::base
