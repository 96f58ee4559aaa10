// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/id3v1_codec.h"

#include "base/code_page.h"
#include "core/app_options.h"

namespace tw::core {

namespace {

// The code page the options name, opened once per name and thread.
const base::CodePage& currentCodePage() {
    thread_local std::string name;
    thread_local base::CodePage page;
    const std::string& wanted = options().id3v1CodePage;
    if (wanted != name) {
        name = wanted;
        page = base::CodePage(wanted.c_str());
        if (!page.ok())
            page = base::CodePage();
    }
    return page;
}

bool isAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// The first `count` characters (code points) of UTF-8 text.
std::string_view firstCharacters(std::string_view utf8, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t n = 0; end < utf8.size() && n < count; ++n) {
        ++end;
        while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
            ++end;
    }
    return utf8.substr(0, end);
}

}  // namespace

std::string decodeId3v1(std::string_view bytes) {
    // Every code page an ID3v1 tag can use keeps ASCII as it is.
    if (isAscii(bytes))
        return std::string(bytes);
    return currentCodePage().decode(bytes);
}

std::string encodeId3v1(std::string_view utf8, std::size_t maxBytes) {
    if (isAscii(utf8))
        return std::string(utf8.substr(0, maxBytes));
    const base::CodePage& page = currentCodePage();
    // Each character takes at least one byte, so no more than maxBytes of them fit; in a
    // code page of several bytes per character, whole characters go until the rest fits.
    std::string_view text = firstCharacters(utf8, maxBytes);
    std::string bytes = page.encode(text);
    for (std::size_t count = maxBytes; bytes.size() > maxBytes && count > 0;) {
        text = firstCharacters(text, --count);
        bytes = page.encode(text);
    }
    return bytes;
}

}  // namespace tw::core
