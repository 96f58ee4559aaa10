// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tw::gui {

// "file://" and the absolute `path` with every byte other than the unreserved characters and
// "/" percent-encoded, so the URI is plain ASCII whatever bytes the file name holds
// ("/a b/é" gives "file:///a%20b/%C3%A9").
std::string fileUri(std::string_view path);

}  // namespace tw::gui
