#include "freedb/server_text.h"

#include <unicode/ucnv.h>
#include <unicode/utf8.h>

#include <memory>

namespace tw::freedb {

namespace {

bool isValidUtf8(std::string_view s) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(s.data());
    const auto length = static_cast<std::int32_t>(s.size());
    std::int32_t i = 0;
    while (i < length) {
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (c < 0)
            return false;
    }
    return true;
}

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};

std::string windows1252ToUtf8(std::string_view bytes) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterCloser> from(ucnv_open("windows-1252", &status));
    std::unique_ptr<UConverter, ConverterCloser> to(ucnv_open("UTF-8", &status));
    if (U_FAILURE(status))
        return {};
    // Each byte of windows-1252 becomes at most three bytes of UTF-8.
    std::string out(bytes.size() * 3 + 1, '\0');
    const char* source = bytes.data();
    char* target = out.data();
    ucnv_convertEx(to.get(), from.get(), &target, out.data() + out.size(), &source,
                   bytes.data() + bytes.size(), nullptr, nullptr, nullptr, nullptr, true, true,
                   &status);
    if (U_FAILURE(status))
        return {};
    out.resize(static_cast<std::size_t>(target - out.data()));
    return out;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

}  // namespace

std::string serverLineToUtf8(std::string_view bytes) {
    if (isValidUtf8(bytes))
        return std::string(bytes);
    return windows1252ToUtf8(bytes);
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
