// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string_view>

namespace tw::freedb {

// Where the album stores write their operation log (the log pane of the album window).
//
// Texts come in the log's own form: a finished line ends with "\r\n" and begins with
// "[INF]", "[ERR]" or "[DBG]" when it has a level; a text without "\r\n" (a progress text
// such as "\tOpening connection ... ") is held by the log and begins the next line, so
// "done.\r\n" or "failed.\r\n" completes it.
//
// A store holds its log through a shared pointer and calls it on the thread that runs the
// store; an implementation that forwards lines to a window does so by posting.
class AlbumLog {
public:
    virtual ~AlbumLog() = default;
    virtual void log(std::string_view text) = 0;
};

}  // namespace tw::freedb
