#include "freedb/server_text.h"

#include "base/code_page.h"
#include "base/text.h"
#include "freedb/text_util.h"

namespace tw::freedb {

std::string serverLineToUtf8(std::string_view bytes) {
    if (base::isValidUtf8(bytes))
        return std::string(bytes);
    return base::CodePage("windows-1252").decode(bytes);
}

std::string trimProtocolLine(std::string_view raw) {
    std::string line;
    line.reserve(raw.size());
    for (char c : raw)
        if (c != '\r' && c != '\n')
            line += c;
    return std::string(Trim(line));
}

}  // namespace tw::freedb
