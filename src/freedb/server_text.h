#pragma once

#include <string>
#include <string_view>

namespace tw::freedb {

// Text from servers and web pages should be UTF-8, and is kept as UTF-8. A line that is not
// valid UTF-8 comes from an older server that sends 8-bit text; it is decoded as
// windows-1252, so no byte is lost and nothing invalid travels further.
std::string serverLineToUtf8(std::string_view bytes);

// The line as the protocol reads it: every carriage return and line feed removed, leading and
// trailing white space trimmed.
std::string trimProtocolLine(std::string_view raw);

}  // namespace tw::freedb
