#include "freedb/server_text.h"

#include "base/code_page.h"
#include "base/text.h"

namespace tw::freedb {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

}  // namespace

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
    std::size_t begin = 0;
    while (begin < line.size() && isBlank(line[begin]))
        ++begin;
    std::size_t end = line.size();
    while (end > begin && isBlank(line[end - 1]))
        --end;
    return line.substr(begin, end - begin);
}

}  // namespace tw::freedb
