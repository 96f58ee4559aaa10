#include "cli/json_text.h"

#include <QString>
#include <cstdio>

namespace tw::cli {

std::string jsonQuote(std::string_view text) {
    const QByteArray valid =
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUtf8();
    std::string out;
    out.reserve(static_cast<std::size_t>(valid.size()) + 2);
    out += '"';
    for (const char c : valid) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

}  // namespace tw::cli
