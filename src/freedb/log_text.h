#pragma once

#include <string>

namespace tw::freedb {

// The text of string `id`, formatted printf style with the arguments.
std::string FormatText(int id, ...);

}  // namespace tw::freedb
