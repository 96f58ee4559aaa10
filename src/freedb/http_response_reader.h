// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "freedb/http_body_decoder.h"
#include "freedb/line_splitter.h"
#include "freedb/net_failure.h"

namespace tw::freedb {

// Reads one HTTP response from the raw bytes of a connection: the status line, the header
// lines, then the body as lines. The status and the redirect target are kept; judging them
// is the caller's affair (an error page can be read like any other body). Head and body lines are
// bounded by the line limit; an over-long line, too many header lines, broken framing or a
// content encoding other than "identity" (the program asks for none) fail the response, and
// failure() says which.
class HttpResponseReader {
public:
    static constexpr std::size_t kMaxHeaderLines = 256;

    enum class State { StatusLine, Headers, Body, Done, Failed };

    void feed(std::string_view raw);
    // The peer closed the connection.
    void finish();

    State state() const { return state_; }
    bool headComplete() const { return state_ == State::Body || state_ == State::Done; }
    bool http11() const { return http11_; }
    // The status line as received (trimmed), its three-digit code (0 when it has none) and
    // the value of a "Location" header (empty without one).
    const std::string& statusLine() const { return statusLine_; }
    unsigned statusCode() const { return statusCode_; }
    const std::string& location() const { return location_; }
    bool chunked() const { return chunked_; }
    std::optional<std::uint64_t> contentLength() const { return contentLength_; }

    // The next body line, without its line feed (a carriage return before it stays);
    // false when none is complete yet. After the body ended, a last line without a line
    // feed is returned too.
    bool takeBodyLine(std::string& line);

    // True when no body line can come any more (the body ended and every line was taken,
    // or the response failed).
    bool exhausted() const;
    // Why the response failed; Kind::None while it has not.
    const NetFailure& failure() const { return failure_; }

private:
    void onHeadLine(const std::string& line);
    void startBody();
    void feedBody(std::string_view raw);
    void fail(NetFailure failure);

    State state_ = State::StatusLine;
    bool http11_ = false;
    std::string statusLine_;
    unsigned statusCode_ = 0;
    std::string location_;
    std::string contentEncoding_;
    bool chunked_ = false;
    std::optional<std::uint64_t> contentLength_;
    std::size_t headerLines_ = 0;
    LineSplitter head_;
    std::optional<HttpBodyDecoder> decoder_;
    LineSplitter body_;
    bool bodyFlushed_ = false;
    NetFailure failure_;
};

}  // namespace tw::freedb
