#include <gtest/gtest.h>

#include <chrono>
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

bool connectTo(LineSocket& socket, unsigned port, unsigned timeout = 5) {
    socket.setTimeout(timeout);
    return socket.create() && socket.connect("127.0.0.1", port);
}

TEST(LineSocket, ExchangesTrimmedLinesOfAnyLength) {
    const std::string longTitle(5000, 't');
    TcpTestServer server([&](TestConnection& c) {
        std::string line;
        if (!c.readLine(line))
            return;
        c.send("  200 " + line + " \r\r\n" + longTitle + "\npartial");
        c.send(" rest\n");
        while (c.alive())
            std::this_thread::sleep_for(10ms);
    });
    RecordingTrace trace;
    LineSocket socket;
    socket.setTrace(&trace);
    ASSERT_TRUE(connectTo(socket, server.port()));
    ASSERT_TRUE(socket.sendLine("hello"));
    std::string line;
    ASSERT_TRUE(socket.receiveLine(line));
    EXPECT_EQ(line, "200 hello");
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
    EXPECT_EQ(trace.lines[3], "<- 200 hello");
    EXPECT_EQ(trace.lines.back(), "Close Socket");
}

TEST(LineSocket, EightBitLinesArriveAsUtf8) {
    TcpTestServer server([](TestConnection& c) {
        c.send("Bj\xF6rk\nBj\xC3\xB6rk\n");
        while (c.alive())
            std::this_thread::sleep_for(10ms);
    });
    LineSocket socket;
    ASSERT_TRUE(connectTo(socket, server.port()));
    std::string line;
    ASSERT_TRUE(socket.receiveLine(line));
    EXPECT_EQ(line, "Bj\xC3\xB6rk");
    ASSERT_TRUE(socket.receiveLine(line));
    EXPECT_EQ(line, "Bj\xC3\xB6rk");
}

TEST(LineSocket, AnEndlessLineFailsAtTheLimitAndClosesTheSocket) {
    TcpTestServer server([](TestConnection& c) {
        const std::string block(4096, 'x');
        while (c.send(block)) {
        }
    });
    LineSocket socket;
    ASSERT_TRUE(connectTo(socket, server.port()));
    std::string line;
    EXPECT_FALSE(socket.receiveLine(line));
    EXPECT_FALSE(socket.isOpen());
    EXPECT_FALSE(socket.receiveLine(line));
}

TEST(LineSocket, FailsWhenThePeerClosesInMidLine) {
    TcpTestServer server([](TestConnection& c) { c.send("210 half a li"); });
    LineSocket socket;
    ASSERT_TRUE(connectTo(socket, server.port()));
    std::string line;
    EXPECT_FALSE(socket.receiveLine(line));
}

TEST(LineSocket, ASilentPeerTimesOutAndAStopRequestEndsTheWaitEarly) {
    TcpTestServer server([](TestConnection& c) {
        while (c.alive())
            std::this_thread::sleep_for(10ms);
    });
    {
        LineSocket socket;
        ASSERT_TRUE(connectTo(socket, server.port(), 1));
        std::string line;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(socket.receiveLine(line));
        EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    }
    {
        std::stop_source stop;
        LineSocket socket;
        socket.setStopToken(stop.get_token());
        ASSERT_TRUE(connectTo(socket, server.port(), 60));
        std::jthread stopper([&] {
            std::this_thread::sleep_for(100ms);
            stop.request_stop();
        });
        std::string line;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(socket.receiveLine(line));
        EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    }
}

TEST(LineSocket, AReplyDeadlineBoundsASlowTrickle) {
    TcpTestServer server([](TestConnection& c) {
        const std::string lines(100000, '\n');
        c.trickle(lines, 20ms);
    });
    LineSocket socket;
    ASSERT_TRUE(connectTo(socket, server.port(), 1));
    socket.beginReply();
    std::string line;
    const auto start = std::chrono::steady_clock::now();
    int count = 0;
    while (socket.receiveLine(line))
        ++count;
    EXPECT_GT(count, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 4s);
}

TEST(LineSocket, ConnectingToAClosedPortOrAnUnknownHostFails) {
    unsigned closedPort = 0;
    {
        TcpTestServer server([](TestConnection&) {});
        closedPort = server.port();
    }
    LineSocket socket;
    EXPECT_FALSE(connectTo(socket, closedPort));
    socket.setTimeout(2);
    ASSERT_TRUE(socket.create());
    EXPECT_FALSE(socket.connect("host.invalid", 8880));
    EXPECT_FALSE(socket.sendLine("anything"));
}

}  // namespace
}  // namespace tw::freedb
