#include "freedb/text_decoding.h"

#include <unicode/ucnv.h>

namespace tw::freedb {

namespace {

bool isValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t n = c < 0x80         ? 1
                        : (c >> 5) == 6  ? 2
                        : (c >> 4) == 14 ? 3
                        : (c >> 3) == 30 ? 4
                                         : 0;
        if (n == 0 || i + n > s.size())
            return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += n;
    }
    return true;
}

}  // namespace

std::string DecodeLegacyLine(std::string_view line, LegacyCodePage page) {
    if (isValidUtf8(line))
        return std::string(line);
    const char* name = page == LegacyCodePage::Windows1252 ? "windows-1252" : "ISO-8859-15";
    UErrorCode status = U_ZERO_ERROR;
    std::string out(line.size() * 3 + 1, '\0');
    const int32_t length = ucnv_convert("UTF-8", name, out.data(), static_cast<int32_t>(out.size()),
                                        line.data(), static_cast<int32_t>(line.size()), &status);
    if (U_FAILURE(status))
        return std::string(line);
    out.resize(static_cast<std::size_t>(length));
    return out;
}

}  // namespace tw::freedb
