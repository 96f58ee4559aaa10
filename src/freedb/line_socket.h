// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <chrono>
#include <cstddef>
#include <stop_token>
#include <string>
#include <string_view>

#include "base/unique_fd.h"
#include "freedb/line_splitter.h"
#include "freedb/net_failure.h"
#include "freedb/protocol_trace.h"
#include "freedb/server_text.h"

namespace tw::freedb {

// A TCP connection that carries text lines, under the CDDB connections and the HTTP
// requests. Every wait (connect, send, receive) polls in steps of 100 ms, so it ends at the
// time-out or soon after the stop request is set, whichever comes first. The time-out is
// one of silence: a peer that keeps sending, however slowly, is waited for (what it may
// send is bounded by the line limit and by the replies' own bounds).
//
// The socket owns its descriptor and closes it on close() or destruction. The stop token
// and the trace (optional, not owned) are the connection's; the trace must outlive the
// socket. One socket is used by one thread at a time.
class LineSocket {
public:
    static constexpr unsigned kDefaultTimeout = 30;

    enum class ReadResult { Data, Closed, Failed };

    LineSocket() = default;
    LineSocket(const LineSocket&) = delete;
    LineSocket& operator=(const LineSocket&) = delete;
    ~LineSocket() { close(); }

    void setStopToken(std::stop_token stop) { stop_ = std::move(stop); }
    void setTrace(ProtocolTrace* trace) { trace_ = trace; }
    // How received lines are decoded; UTF-8 until the connection says otherwise.
    void setCharset(ServerCharset charset) { charset_ = charset; }

    // Makes a fresh TCP socket (closing any previous one).
    [[nodiscard]] bool create();
    void setTimeout(unsigned seconds) { timeout_ = seconds; }
    unsigned timeout() const { return timeout_; }

    // Connects to `host` (address or name) on `port`; the socket stays non-blocking. A
    // failure says why in lastFailure().
    [[nodiscard]] bool connect(const std::string& host, unsigned port);

    // Sends `text` and one line feed; true only when every byte went out.
    [[nodiscard]] bool sendLine(std::string_view text);
    // Sends the bytes as they are, untraced.
    [[nodiscard]] bool sendBytes(std::string_view bytes);

    // The next line without its line end, as UTF-8 (see DecodeServerLine). False at the
    // time-out, on the stop request, when the peer closed, on a socket error, or when a line
    // exceeds the line limit; after an over-long line the socket is closed, so the reply
    // cannot resume in mid-line.
    [[nodiscard]] bool receiveLine(std::string& line);
    // What made the last connect, send or receive fail (Kind::None after a success, and
    // when the stop request ended it).
    const NetFailure& lastFailure() const { return failure_; }

    // Waits for bytes and appends what arrived to `bytes`, bypassing the line buffer.
    // Callers that decode the stream themselves use this together with takeBuffered().
    ReadResult receiveSome(std::string& bytes);
    // The bytes received but not yet returned as lines.
    std::string takeBuffered() { return splitter_.takeRest(); }

    void close();
    bool isOpen() const { return fd_.valid(); }
    bool stopRequested() const { return stop_.stop_requested(); }

    // Passes a line to the trace, for callers that frame lines themselves.
    void traceLine(ProtocolTrace::Direction direction, std::string_view text) const;

private:
    using Clock = std::chrono::steady_clock;

    // Waits until the socket is ready for `events` or the limit or the stop request comes;
    // true when ready. Otherwise the failure is a time-out (of kind `timedOut`), unless the
    // user stopped.
    [[nodiscard]] bool waitFor(short events, Clock::time_point limit, NetFailure timedOut);
    Clock::time_point idleLimit() const { return Clock::now() + std::chrono::seconds(timeout_); }
    // Sets the failure from the errno of a failed send or receive.
    void failedWith(int error);

    base::UniqueFd fd_;
    unsigned timeout_ = kDefaultTimeout;
    std::stop_token stop_;
    ProtocolTrace* trace_ = nullptr;
    LineSplitter splitter_;
    ServerCharset charset_ = ServerCharset::Utf8;
    NetFailure failure_;
};

}  // namespace tw::freedb
