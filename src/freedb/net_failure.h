// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

namespace tw::freedb {

// Why a network exchange failed, as far as the program can tell: the connection, the socket
// or the HTTP framing reports it, and the store names it in its error line (see
// NetFailureReason in cddb_error.h) instead of the text of the step that failed.
struct NetFailure {
    enum class Kind {
        None,                 // no failure, or the user stopped it
        TimedOut,             // nothing came for the whole time-out
        HostNotFound,         // detail: the host
        Refused,              // detail: host and port
        Unreachable,          // detail: host and port
        ConnectTimedOut,      // detail: host and port
        Reset,                // the peer reset the connection
        Closed,               // the peer closed before the reply was complete
        TooLarge,             // a line past the line limit
        NotHttp,              // the answer has no HTTP status line
        BadChunkSize,         // a chunk-size line that is no size
        BadChunkFraming,      // chunk data not followed by its line end
        TooManyHeaderLines,   // a head longer than any sound server sends
        UnsupportedEncoding,  // detail: the Content-Encoding
        Redirected,           // detail: the target, or the status line without one
        ErrorStatus,          // detail: the status line
    };

    Kind kind = Kind::None;
    std::string detail;

    bool operator==(const NetFailure&) const = default;
};

}  // namespace tw::freedb
