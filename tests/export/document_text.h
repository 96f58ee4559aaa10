// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw::exports::test {

// The written documents read back as their readers show them, to check that no value
// became markup.

// The text of an RTF document as a reader shows it: paragraphs (\par) end with "\r", line
// breaks (\line) are "\n", tabs (\tab) "\t"; "\uN" is the UTF-16 unit N (its fallback
// character skipped) and "\\", "\{", "\}" are those characters; destinations ({\fonttbl},
// {\colortbl}, {\* ...}) and other control words show nothing. Nullopt when a group closes
// that was never opened or one stays open, or when a byte above 127 stands in the text.
std::optional<std::string> rtfPlainText(std::string_view rtf);

// The cells of every table row of an HTML file, read by a strict reader
// (tests/export/html_cells.py through /usr/bin/python3): text as a browser shows it, an
// element inside a cell as "[name attr=value]" ... "[/name]" with its href percent-decoded.
// Nullopt when the reader refused the document (a stray "<", an incomplete reference,
// bytes above 127).
using HtmlRows = std::vector<std::vector<std::string>>;
std::optional<HtmlRows> htmlCells(const std::string& path);

}  // namespace tw::exports::test
