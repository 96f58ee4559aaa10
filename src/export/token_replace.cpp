#include "export/token_replace.h"

namespace tw::exports {

bool replaceToken(std::string& text, std::string_view token, std::string_view value,
                  std::size_t limit) {
    std::size_t hit = text.find(token);
    if (token.empty() || hit == std::string::npos)
        return true;
    std::string out;
    std::size_t from = 0;
    for (; hit != std::string::npos; hit = text.find(token, from)) {
        out.append(text, from, hit - from);
        if (out.size() + value.size() > limit)
            return false;
        out.append(value);
        from = hit + token.size();
    }
    if (out.size() + (text.size() - from) > limit)
        return false;
    out.append(text, from, std::string::npos);
    text = std::move(out);
    return true;
}

}  // namespace tw::exports
