// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/bounded_replace.h"

namespace tw::rename {

namespace {

std::size_t countOccurrences(std::string_view text, std::string_view search) {
    std::size_t count = 0;
    for (std::size_t hit = text.find(search); hit != std::string_view::npos;
         hit = text.find(search, hit + search.size()))
        ++count;
    return count;
}

// One round: every non-overlapping occurrence, left to right.
void replaceRound(std::string& text, std::string_view search, std::string_view replacement) {
    std::string out;
    std::size_t from = 0;
    for (std::size_t hit = text.find(search); hit != std::string::npos;
         hit = text.find(search, from)) {
        out.append(text, from, hit - from);
        out.append(replacement);
        from = hit + search.size();
    }
    out.append(text, from, std::string::npos);
    text = std::move(out);
}

}  // namespace

std::size_t growthLimit(std::size_t originalLength) {
    return originalLength * 4 + 1024;
}

void replaceRepeatedly(std::string& text, std::string_view search, std::string_view replacement,
                       std::size_t limit) {
    // Replacing a text by itself is the one way a round can find occurrences and still
    // leave the text as it was.
    if (search.empty() || search == replacement)
        return;
    for (;;) {
        const std::size_t count = countOccurrences(text, search);
        if (count == 0)
            return;
        if (replacement.size() > search.size()) {
            const std::size_t growth = replacement.size() - search.size();
            if (text.size() > limit || growth > (limit - text.size()) / count)
                return;
        }
        replaceRound(text, search, replacement);
    }
}

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

void trimStart(std::string& text, std::string_view set) {
    text.erase(0, text.find_first_not_of(set));
}

void trimEnd(std::string& text, std::string_view set) {
    const std::size_t last = text.find_last_not_of(set);
    text.erase(last == std::string::npos ? 0 : last + 1);
}

void trimBoth(std::string& text, std::string_view set) {
    trimEnd(text, set);
    trimStart(text, set);
}

}  // namespace tw::rename
