// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

namespace tw::freedb {

// A source of text lines, one at a time: a connection's reply or a file of the local
// database. The xmcd reader pulls from it.
class LineSource {
public:
    virtual ~LineSource() = default;
    // The next line, without its line end, as UTF-8 text. False when no line comes (end of
    // input, time-out, stop request, or an error); `line` is then unspecified.
    [[nodiscard]] virtual bool receiveLine(std::string& line) = 0;
};

}  // namespace tw::freedb
