// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string_view>

namespace tw::freedb {

// How the program names itself to CDDB servers ("cddb hello", the "Submitted via" line of
// xmcd records, the submission note): its product name, which has no blank, and its version.
inline constexpr std::string_view kClientName = "Tunewright";
inline constexpr std::string_view kClientVersion = TW_VERSION_TEXT;

}  // namespace tw::freedb
