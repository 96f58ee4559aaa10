// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/server_text.h"

#include "base/code_page.h"
#include "base/text.h"
#include "freedb/text_util.h"

namespace tw::freedb {

std::string DecodeServerLine(std::string_view raw, ServerCharset charset) {
    if (!raw.empty() && raw.back() == '\r')
        raw.remove_suffix(1);
    if (charset == ServerCharset::Utf8 && base::isValidUtf8(raw))
        return WithoutControlCharacters(raw);
    return WithoutControlCharacters(base::CodePage("windows-1252").decode(raw));
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
