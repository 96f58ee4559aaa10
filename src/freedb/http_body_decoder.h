// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "freedb/net_failure.h"

namespace tw::freedb {

// Undoes the transfer framing of an HTTP response body: chunked coding (every chunk-size
// line read and removed, chunk extensions and trailers skipped), a Content-Length, or
// "until the peer closes". Raw bytes go in; body bytes come out in the same order, so a
// line that spans two chunks comes out whole.
class HttpBodyDecoder {
public:
    enum class Framing { UntilClose, Length, Chunked };

    // A chunk-size line longer than this is not a chunk-size line.
    static constexpr std::size_t kSizeLineLimit = 1024;

    HttpBodyDecoder(Framing framing, std::uint64_t length);

    // Appends the body bytes found in `raw` to `body`. Bytes after the end of the body are
    // ignored.
    void feed(std::string_view raw, std::string& body);
    // The peer closed the connection: a body that expected more is truncated (failed).
    void finish();

    bool done() const { return state_ == State::Done; }
    bool failed() const { return state_ == State::Failed; }
    // Why the body failed: a bad chunk size, broken chunk framing, or a close before its end.
    NetFailure::Kind failure() const { return failure_; }

private:
    enum class State { SizeLine, Data, DataEnd, Trailer, Plain, Done, Failed };

    void onSizeLine(std::string_view line);
    void fail(NetFailure::Kind why);

    Framing framing_;
    State state_;
    std::uint64_t remaining_ = 0;  // bytes left in the current chunk or the counted body
    std::string pending_;          // raw bytes of a framing line not yet complete
    NetFailure::Kind failure_ = NetFailure::Kind::None;
};

}  // namespace tw::freedb
