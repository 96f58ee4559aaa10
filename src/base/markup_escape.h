// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tw::base {

// Text for the HTML and RTF documents the program writes. Every function here keeps the
// output ASCII, so it reads right whatever code page or character set a reader assumes:
//   HTML: a character above 127 becomes a numeric character reference ("&#233;");
//   RTF:  a character above 127 becomes "\uN?", N the UTF-16 code unit as a signed 16-bit
//         number (characters beyond U+FFFF as their two surrogates), as RTF readers expect.
// All functions are pure and safe to call from any thread.

// Only the characters above 127 escaped: markup characters ("<", "&", "\", braces) stand as
// they are, for text that is markup itself or values meant to be written as they are. A
// byte that is not part of well-formed UTF-8 is kept as it is (text.h keeps such bytes
// everywhere rather than guess what they meant).
void appendHtmlNonAscii(std::string& out, std::string_view text);
void appendRtfNonAscii(std::string& out, std::string_view text);

// Plain text made safe to stand in a document, so that no text can add markup or control
// words:
//   HTML: "&", "<", ">", '"' and "'" as entities as well, so the text may stand in element
//         content and in a quoted attribute value alike;
//   RTF:  "\", "{" and "}" escaped with "\", each line break (CR LF, LF or a lone CR) as
//         "\line ", tabs as "\tab ".
// A byte that is not part of well-formed UTF-8 is taken as U+FFFD, so the result is ASCII
// whatever the text held.
std::string escapeHtmlText(std::string_view text);
std::string escapeRtfText(std::string_view text);

// A URL made safe to stand in a quoted HTML attribute (href): every byte that may not stand
// in a URL (controls, blanks, quotes, "<>\^`{|}" and every byte above 127, so UTF-8 text
// as its bytes) as "%" and two hexadecimal digits, and "&" as "&amp;". What a URL may hold
// ("%XX" escapes of its own among it) stays, so a browser follows the same address.
std::string escapeHtmlUrl(std::string_view url);

}  // namespace tw::base
