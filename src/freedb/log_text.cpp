#include "freedb/log_text.h"

#include <cstdarg>
#include <cstdio>

#include "base/string_table.h"

namespace tw::freedb {

std::string FormatText(int id, ...) {
    const std::string format(base::builtinText(id));
    std::va_list args;
    va_start(args, id);
    std::va_list copy;
    va_copy(copy, args);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    const int length = std::vsnprintf(nullptr, 0, format.c_str(), copy);
    va_end(copy);
    std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length > 0)
        std::vsnprintf(text.data(), text.size() + 1, format.c_str(), args);
#pragma GCC diagnostic pop
    va_end(args);
    return text;
}

}  // namespace tw::freedb
