// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tw::freedb {

// How the client introduces itself in "cddb hello": user, host, client name and version,
// separated by blanks. With an e-mail address, its part before "@" is the user and the part
// after it the host; otherwise (or for a missing part) the system's user and host names are
// used. Blanks inside a word become "_", since the words are separated by blanks.
std::string HelloWords(std::string_view emailAddress);

}  // namespace tw::freedb
