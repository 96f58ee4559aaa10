// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

#include "freedb/cddb_protocol_store.h"
#include "freedb/line_socket.h"

namespace tw::freedb {

// CDDB over one TCP connection ("cddbp"): open() connects, reads the greeting and sends
// "cddb hello" and "proto 6"; every later command goes over the same connection; close()
// says "quit". A server that refuses level 6 is asked for the level it supports, and the
// connection goes on at that level (or at level 1), reading the server's text as 8-bit
// text. The store owns its socket.
class CddbConnection final : public CddbProtocolStore {
public:
    explicit CddbConnection(FreeDbSettings settings);
    ~CddbConnection() override;

    [[nodiscard]] bool open() override;
    void close() override;
    void setTrace(ProtocolTrace* trace) override { socket_.setTrace(trace); }

protected:
    [[nodiscard]] bool sendCommand(const std::string& command) override;
    [[nodiscard]] bool receiveLine(std::string& line) override;
    std::string failureReason() const override;
    void abandonReply() override { socket_.close(); }

private:
    [[nodiscard]] bool connect();
    [[nodiscard]] bool greet();
    [[nodiscard]] bool handshake();
    [[nodiscard]] bool negotiateProtocol();
    // After a refusal of level 6: the level the server reports as supported, set with
    // "proto N" when it is above 1; false when the server stopped answering.
    [[nodiscard]] bool fallBackToSupportedLevel(unsigned& level);

    LineSocket socket_;
};

// A port given as text, read as "%u"; 0 when it is no port number.
unsigned PortNumber(std::string_view text);

}  // namespace tw::freedb
