// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tw::freedb {

// How a server's text is encoded. Servers speak UTF-8 from protocol level 6 on; below it
// they send 8-bit text.
enum class ServerCharset { Utf8, EightBit };

// A line as a server sent it, as the program keeps it: without its line end (a carriage
// return before the line feed), decoded to UTF-8 and without control characters other than
// the tab. Blanks at either end stay: a value continued on the next line may end or begin
// with one.
//
// UTF-8 text that is not valid UTF-8 comes from an older server that sends 8-bit text
// anyway; it is decoded as windows-1252, like all text of an 8-bit server, so no byte is
// lost and nothing invalid travels further.
std::string DecodeServerLine(std::string_view raw, ServerCharset charset);

// The line as the protocol's status and list lines are read: every carriage return and line
// feed removed, leading and trailing white space trimmed.
std::string trimProtocolLine(std::string_view raw);

}  // namespace tw::freedb
