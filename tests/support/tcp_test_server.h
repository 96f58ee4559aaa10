// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <list>
#include <mutex>
#include <stop_token>
#include <string>
#include <string_view>
#include <thread>

namespace tw::test {

// One accepted client connection of a TcpTestServer. Every wait is bounded: an operation
// gives up after kIdleLimit without progress or as soon as the server stops.
class TestConnection {
public:
    static constexpr auto kIdleLimit = std::chrono::seconds(10);
    static constexpr std::size_t kMaxLine = 1024 * 1024;

    TestConnection(int fd, std::stop_token stop) : fd_(fd), stop_(std::move(stop)) {}
    ~TestConnection();
    TestConnection(const TestConnection&) = delete;
    TestConnection& operator=(const TestConnection&) = delete;

    // The next line without its line feed (a carriage return before it is removed).
    bool readLine(std::string& line);
    // The next line without its line feed, with everything before it (a carriage return
    // stays), for peers that must check how lines end.
    bool readRawLine(std::string& line);
    // Exactly `count` bytes.
    bool readBytes(std::size_t count, std::string& bytes);
    bool send(std::string_view bytes);
    // Sends the bytes one at a time with a pause after each.
    bool trickle(std::string_view bytes, std::chrono::milliseconds pause);
    // True while the server runs and the client has not closed its end.
    bool alive();
    void close();
    // Closes with SO_LINGER 0, so the client sees a reset rather than an orderly end.
    void reset();

private:
    bool waitFor(short events);
    // Waits for bytes and appends what arrives to the buffer; false on time-out, end or error.
    bool receiveMore();
    int fd_;
    std::stop_token stop_;
    std::string buffer_;
};

// A port on 127.0.0.1 that nothing listens on: bound for a moment, then closed again, so a
// connect to it is refused.
unsigned ClosedLoopbackPort();

// A TCP server on 127.0.0.1 with an ephemeral port. Each client connection runs the handler
// on a thread of its own; the destructor stops and joins them all, so a test never outlives
// its server's threads.
class TcpTestServer {
public:
    using Handler = std::function<void(TestConnection&)>;

    explicit TcpTestServer(Handler handler);
    ~TcpTestServer();
    TcpTestServer(const TcpTestServer&) = delete;
    TcpTestServer& operator=(const TcpTestServer&) = delete;

    unsigned port() const { return port_; }
    int connectionsAccepted() const { return accepted_.load(); }
    // Ends the accept loop and every connection now.
    void stop();

private:
    void acceptLoop(std::stop_token stop);

    Handler handler_;
    int listenFd_ = -1;
    unsigned port_ = 0;
    std::atomic<int> accepted_{0};
    std::stop_source stopSource_;
    std::mutex mutex_;
    std::list<std::jthread> connections_;
    std::jthread acceptor_;
};

}  // namespace tw::test
