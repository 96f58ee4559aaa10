// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string_view>

namespace tw::freedb {

// Receives the protocol lines a connection exchanges, for the full operation log. Called on
// the thread that runs the connection.
class ProtocolTrace {
public:
    enum class Direction { Note, Sent, Received };

    virtual ~ProtocolTrace() = default;
    virtual void traceLine(Direction direction, std::string_view text) = 0;
};

}  // namespace tw::freedb
