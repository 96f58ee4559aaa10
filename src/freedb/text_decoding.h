#pragma once

#include <string>
#include <string_view>

namespace tw::freedb {

// The 8-bit code pages of files that older Windows programs wrote.
enum class LegacyCodePage {
    Windows1252,  // CDPLAYER.INI
    Iso8859_15,   // the local album database
};

// One line of a file that may mix UTF-8 and an older code page: the line itself when it is
// valid UTF-8, else decoded from `page`.
std::string DecodeLegacyLine(std::string_view line, LegacyCodePage page);

}  // namespace tw::freedb
