// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tw::freedb {

// Query-string form of a text: ASCII letters and digits stay, a blank becomes "+", every
// other byte becomes "%" and two lower-case hexadecimal digits.
std::string UrlEncode(std::string_view text);

// A path as it may stand in a request line (RFC 3986): letters, digits, "-._~", the
// sub-delimiters "!$&'()*+,;=", ":", "@", "/" and "%" before two hexadecimal digits stay;
// every other byte (blanks, "?", "#", control characters, 8-bit text) becomes "%" and two
// upper-case hexadecimal digits. A path that does not begin with "/" gets one, so a typed
// path can never make the request line invalid.
std::string EncodeRequestPath(std::string_view path);

// RFC 4648 Base64 with the standard alphabet and "=" padding.
std::string Base64(std::string_view bytes);

}  // namespace tw::freedb
