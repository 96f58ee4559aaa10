// SPDX-License-Identifier: GPL-2.0-or-later
#include "document_text.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

#include "base/text.h"
#include "support/shell_quote.h"

namespace tw::exports::test {

namespace {

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

std::optional<std::string> rtfPlainText(std::string_view rtf) {
    std::string out;
    int depth = 0;
    int skipFrom = 0;  // the depth of the destination being left out, 0 for none
    bool groupStart = false;
    char16_t high = 0;
    const auto show = [&](std::string_view text) {
        if (skipFrom == 0)
            out += text;
    };
    std::size_t i = 0;
    while (i < rtf.size()) {
        const char c = rtf[i];
        if (static_cast<unsigned char>(c) >= 0x80)
            return std::nullopt;
        if (c == '{') {
            ++depth;
            groupStart = true;
            ++i;
            continue;
        }
        if (c == '}') {
            if (depth == 0)
                return std::nullopt;
            if (skipFrom == depth)
                skipFrom = 0;
            --depth;
            groupStart = false;
            ++i;
            continue;
        }
        const bool wasStart = groupStart;
        groupStart = false;
        if (c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '\\') {
            show(std::string_view(&rtf[i], 1));
            ++i;
            continue;
        }
        if (i + 1 >= rtf.size())
            return std::nullopt;
        const char next = rtf[i + 1];
        if (!isLetter(next)) {
            if (next == '\\' || next == '{' || next == '}')
                show(std::string_view(&rtf[i + 1], 1));
            else if (next == '*' && wasStart && skipFrom == 0)
                skipFrom = depth;
            i += next == '\'' ? 4 : 2;
            continue;
        }
        std::size_t end = i + 1;
        while (end < rtf.size() && isLetter(rtf[end]))
            ++end;
        const std::string_view word = rtf.substr(i + 1, end - i - 1);
        std::size_t numberEnd = end;
        if (numberEnd < rtf.size() && rtf[numberEnd] == '-')
            ++numberEnd;
        while (numberEnd < rtf.size() && rtf[numberEnd] >= '0' && rtf[numberEnd] <= '9')
            ++numberEnd;
        const long number =
            numberEnd > end
                ? std::strtol(std::string(rtf.substr(end, numberEnd - end)).c_str(), nullptr, 10)
                : 0;
        i = numberEnd < rtf.size() && rtf[numberEnd] == ' ' ? numberEnd + 1 : numberEnd;
        if (wasStart && skipFrom == 0 && (word == "fonttbl" || word == "colortbl"))
            skipFrom = depth;
        if (word == "par")
            show("\r");
        else if (word == "line")
            show("\n");
        else if (word == "tab")
            show("\t");
        if (word != "u")
            continue;
        const auto unit = static_cast<char16_t>(number < 0 ? number + 65536 : number);
        if (i < rtf.size())  // the fallback character for readers without Unicode
            i += rtf[i] == '\\' && i + 1 < rtf.size() && rtf[i + 1] == '\'' ? 4 : 1;
        if (unit >= 0xD800 && unit < 0xDC00) {
            high = unit;
            continue;
        }
        std::string character;
        if (unit >= 0xDC00 && unit < 0xE000 && high != 0)
            base::appendUtf8(character, 0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00));
        else
            base::appendUtf8(character, unit);
        high = 0;
        show(character);
    }
    if (depth != 0)
        return std::nullopt;
    return out;
}

std::optional<HtmlRows> htmlCells(const std::string& path) {
    const char* source = std::getenv("TW_SOURCE_DIR");
    const std::string script = std::string(source ? source : ".") + "/tests/export/html_cells.py";
    const std::string command =
        "/usr/bin/python3 " + tw::test::shellQuoted(script) + " " + tw::test::shellQuoted(path);
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return std::nullopt;
    std::string text;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        text.append(buffer, n);
    const int status = ::pclose(pipe);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    // Every cell ends with US and every row with RS.
    HtmlRows rows;
    std::vector<std::string> row;
    std::string cell;
    for (const char c : text) {
        if (c == '\x1f') {
            row.push_back(std::move(cell));
            cell.clear();
        } else if (c == '\x1e') {
            rows.push_back(std::move(row));
            row.clear();
        } else {
            cell += c;
        }
    }
    return rows;
}

}  // namespace tw::exports::test
