// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tw::exports {

// How text reaches a written file.
//   None:     as it is (playlists, and the template text of HTML templates).
//   HtmlMarkup, RtfMarkup: text that is markup itself (a template's own text): only every
//             character above 127 is escaped, as a numeric character reference ("&#233;")
//             or as "\uN?"; a byte that is not part of well-formed UTF-8 is kept.
//   HtmlText, RtfText: a value (a tag, a file name): markup characters, line breaks and
//             characters above 127 escaped, so that no value can add markup
//             (base/markup_escape.h).
enum class TextEscape { None, HtmlMarkup, RtfMarkup, HtmlText, RtfText };

// Appends `text` to `out` with `escape` applied.
void appendEscaped(std::string& out, std::string_view text, TextEscape escape);

// Where a writer puts its text, piece by piece. Writers never seek or read back, so a file
// is written as a stream and memory stays flat however many records it holds.
class TextSink {
public:
    virtual ~TextSink() = default;
    virtual void write(std::string_view text) = 0;

    // Writes `text` with `escape` applied.
    void writeEscaped(std::string_view text, TextEscape escape);
};

// A sink that collects everything in a string (tests, previews).
class StringSink final : public TextSink {
public:
    void write(std::string_view text) override { text_.append(text); }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

}  // namespace tw::exports
