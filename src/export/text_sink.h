// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tw::exports {

// How text reaches a written file.
//   None: as it is (playlists, and the template text of HTML templates).
//   Html: every character above 127 as a numeric character reference ("&#233;").
//   Rtf:  every character above 127 as "\uN?" (base/markup_escape.h).
// Nothing else is escaped: "<", "&", "\" and braces in a value stand as they are, and a
// byte that is not part of well-formed UTF-8 is kept as it is.
enum class TextEscape { None, Html, Rtf };

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
