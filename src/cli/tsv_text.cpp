// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/tsv_text.h"

namespace tw::cli {

void appendTsvField(std::string& out, std::string_view text) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* escaped = nullptr;
        switch (text[i]) {
            case '\\':
                escaped = "\\\\";
                break;
            case '\t':
                escaped = "\\t";
                break;
            case '\n':
                escaped = "\\n";
                break;
            case '\r':
                escaped = "\\r";
                break;
            default:
                continue;
        }
        out.append(text, start, i - start);
        out += escaped;
        start = i + 1;
    }
    out.append(text, start, text.size() - start);
}

std::string tsvField(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendTsvField(out, text);
    return out;
}

}  // namespace tw::cli
