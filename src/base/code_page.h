// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <memory>
#include <string>
#include <string_view>

struct UConverter;

namespace tw::base {

// An 8-bit (or any other) code page, converting to and from the program's UTF-8.
//
// Wraps a pair of ICU converters. A CodePage is not thread-safe: each thread that converts
// holds its own object (opening one is cheap, ICU caches the tables), and one object is used
// by one thread at a time. The one-shot functions below open a converter per call and are
// safe from any thread.
class CodePage {
public:
    // The default code page of ID3v1 tags and of files from older Windows programs.
    static constexpr const char* kDefaultName = "windows-1252";

    // Opens the code page of the given ICU name ("windows-1252", "ISO-8859-15", ...);
    // ok() is false when ICU does not know the name.
    explicit CodePage(const char* name = kDefaultName);
    ~CodePage();
    CodePage(CodePage&&) noexcept;
    CodePage& operator=(CodePage&&) noexcept;

    bool ok() const { return toUtf8_ && fromUtf8_ && page_; }

    // Bytes in this code page to UTF-8; bytes without a character become U+FFFD.
    std::string decode(std::string_view bytes) const;

    // UTF-8 to bytes in this code page; characters the page cannot hold, and ill-formed UTF-8,
    // become "?".
    std::string encode(std::string_view utf8) const;

    // A line of text that may be either encoding: the line itself when it is valid UTF-8,
    // else decoded from this code page.
    std::string decodeUnlessUtf8(std::string_view line) const;

private:
    struct Closer {
        void operator()(UConverter* c) const;
    };
    using Converter = std::unique_ptr<UConverter, Closer>;
    std::string convert(UConverter* to, UConverter* from, std::string_view in) const;

    Converter page_;
    Converter toUtf8_;    // the UTF-8 side when decoding
    Converter fromUtf8_;  // the UTF-8 side when encoding
};

// One-shot forms; an unknown code page name gives the input unchanged.
std::string decodeCodePage(std::string_view bytes, const char* name = CodePage::kDefaultName);
std::string encodeCodePage(std::string_view utf8, const char* name = CodePage::kDefaultName);

// Text from a file that may mix UTF-8 and an older code page, line by line (lines end at
// "\n", which stays): each line valid as UTF-8 is kept, every other one decoded from the
// code page.
std::string decodeLinesUnlessUtf8(std::string_view text, const char* name = CodePage::kDefaultName);

}  // namespace tw::base
