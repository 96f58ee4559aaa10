#pragma once

#include <string>
#include <string_view>

namespace tw::freedb {

// Query-string form of a text: ASCII letters and digits stay, a blank becomes "+", every
// other byte becomes "%" and two lower-case hexadecimal digits.
std::string UrlEncode(std::string_view text);

// RFC 4648 Base64 with the standard alphabet and "=" padding.
std::string Base64(std::string_view bytes);

}  // namespace tw::freedb
