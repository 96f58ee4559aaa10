// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <string>

#include "support/fake_cddb_database.h"
#include "support/tcp_test_server.h"

namespace tw::test {

// Ways a fake server misbehaves, when the command it answers begins with the trigger.
enum class Hostility {
    None,
    Garbage,       // binary noise with stray line feeds, then a close
    EndlessLine,   // one line that never ends
    EndlessReply,  // a multi-line reply whose "." never comes
    WrongCode,     // a reply code that fits no command
    CloseMidLine,  // the first half of the reply, then a close
    SlowTrickle,   // the reply one byte at a time
    InvalidUtf8,   // the reply with 8-bit bytes that are not UTF-8
    Silent,        // no reply at all
    Reset,         // no reply; the connection is reset
};

struct FakeServerMisbehaviour {
    Hostility hostility = Hostility::None;
    std::string trigger;  // the command prefix that triggers it; empty: the greeting
    std::chrono::milliseconds tricklePause{2};
};

// A cddbp server on 127.0.0.1: greets, then answers one command line after another from the
// database until "quit" or the client closes. Every connection runs on its own thread.
class FakeCddbServer {
public:
    explicit FakeCddbServer(FakeCddbDatabase& database, FakeServerMisbehaviour misbehaviour = {},
                            std::string greeting = "201 fake CDDBP server ready");

    unsigned port() const { return server_->port(); }
    int connectionsAccepted() const { return server_->connectionsAccepted(); }
    // Waits this long before each reply, as a distant server would (benchmarks).
    void setReplyDelay(std::chrono::milliseconds delay) { replyDelay_ = delay; }

private:
    void serve(TestConnection& connection);

    FakeCddbDatabase& database_;
    FakeServerMisbehaviour misbehaviour_;
    std::string greeting_;
    std::atomic<std::chrono::milliseconds> replyDelay_{std::chrono::milliseconds(0)};
    std::unique_ptr<TcpTestServer> server_;
};

// Sends `lines` (each followed by "\r\n") the way `misbehaviour` asks; used by both fakes.
// Returns false when the connection should end.
bool SendHostileReply(TestConnection& connection, const std::vector<std::string>& lines,
                      const FakeServerMisbehaviour& misbehaviour);

}  // namespace tw::test
