// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include <thread>

#include "freedb/line_socket.h"
#include "freedb/protocol_trace.h"
#include "support/tcp_test_server.h"

namespace tw::freedb {
namespace {

using namespace std::chrono_literals;
using test::TcpTestServer;
using test::TestConnection;

struct RecordingTrace : ProtocolTrace {
    std::vector<std::string> lines;
    void traceLine(Direction direction, std::string_view text) override {
        const char* mark = direction == Direction::Sent       ? "-> "
                           : direction == Direction::Received ? "<- "
                                                              : "";
        lines.push_back(mark + std::string(text));
    }
};

TEST(LineSocket, ExchangesLinesOfAnyLengthWithTheirBlanks) {
    const std::string longTitle(5000, 't');
    TcpTestServer server([&](TestConnection& c) {
        std::string line;
        if (!c.readLine(line))
            return;
        c.send("  200 " + line + " \r\x01\r\n" + longTitle + "\npartial");
        c.send(" rest\n");
        while (c.alive())
            std::this_thread::sleep_for(10ms);
    });
    RecordingTrace trace;
    LineSocket socket;
    socket.setTrace(&trace);
    socket.setTimeout(5);
    ASSERT_TRUE(socket.create() && socket.connect("127.0.0.1", server.port()));
    ASSERT_TRUE(socket.sendLine("hello"));
    std::string line;
    // Only the line end goes; blanks stay, a stray carriage return and other control
    // characters are dropped.
    ASSERT_TRUE(socket.receiveLine(line));
    EXPECT_EQ(line, "  200 hello ");
    ASSERT_TRUE(socket.receiveLine(line));
    EXPECT_EQ(line, longTitle);
    ASSERT_TRUE(socket.receiveLine(line));
    EXPECT_EQ(line, "partial rest");
    socket.close();
    EXPECT_FALSE(socket.isOpen());
    ASSERT_GE(trace.lines.size(), 4u);
    EXPECT_EQ(trace.lines[0], "Create Socket");
    EXPECT_EQ(trace.lines[1], "Connect to 127.0.0.1:" + std::to_string(server.port()));
    EXPECT_EQ(trace.lines[2], "-> hello");
    EXPECT_EQ(trace.lines[3], "<-   200 hello ");
    EXPECT_EQ(trace.lines.back(), "Close Socket");
}

// A refused connection is checked where its message is: with the hostile servers.
TEST(LineSocket, ConnectingToAnUnknownHostFails) {
    LineSocket socket;
    socket.setTimeout(2);
    ASSERT_TRUE(socket.create());
    EXPECT_FALSE(socket.connect("host.invalid", 8880));
    EXPECT_EQ(socket.lastFailure().kind, NetFailure::Kind::HostNotFound);
    EXPECT_FALSE(socket.sendLine("anything"));
}

}  // namespace
}  // namespace tw::freedb
