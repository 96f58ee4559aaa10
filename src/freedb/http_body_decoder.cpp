// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/http_body_decoder.h"

#include <algorithm>
#include <limits>

namespace tw::freedb {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

HttpBodyDecoder::HttpBodyDecoder(Framing framing, std::uint64_t length)
    : framing_(framing),
      state_(framing == Framing::Chunked ? State::SizeLine : State::Plain),
      remaining_(length) {
    if (framing_ == Framing::Length && remaining_ == 0)
        state_ = State::Done;
}

void HttpBodyDecoder::fail(NetFailure::Kind why) {
    state_ = State::Failed;
    failure_ = why;
}

void HttpBodyDecoder::onSizeLine(std::string_view line) {
    std::uint64_t size = 0;
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    const std::size_t digits = i;
    for (; i < line.size() && hexValue(line[i]) >= 0; ++i) {
        if (size > (std::numeric_limits<std::uint64_t>::max() >> 4)) {
            fail(NetFailure::Kind::BadChunkSize);
            return;
        }
        size = (size << 4) | static_cast<std::uint64_t>(hexValue(line[i]));
    }
    if (i == digits) {
        fail(NetFailure::Kind::BadChunkSize);
        return;
    }
    // What follows the digits (white space, ";" and extensions, a carriage return) is not
    // ours to interpret.
    remaining_ = size;
    state_ = size == 0 ? State::Trailer : State::Data;
}

void HttpBodyDecoder::feed(std::string_view raw, std::string& body) {
    if (state_ == State::Plain) {
        if (framing_ == Framing::Length) {
            const auto take =
                static_cast<std::size_t>(std::min<std::uint64_t>(remaining_, raw.size()));
            body.append(raw.substr(0, take));
            remaining_ -= take;
            if (remaining_ == 0)
                state_ = State::Done;
        } else {
            body.append(raw);
        }
        return;
    }
    pending_.append(raw);
    std::size_t pos = 0;
    while (state_ != State::Done && state_ != State::Failed) {
        if (state_ == State::Data) {
            const auto take = static_cast<std::size_t>(
                std::min<std::uint64_t>(remaining_, pending_.size() - pos));
            body.append(pending_, pos, take);
            pos += take;
            remaining_ -= take;
            if (remaining_ > 0)
                break;
            state_ = State::DataEnd;
            continue;
        }
        const std::size_t feed = pending_.find('\n', pos);
        if (feed == std::string::npos) {
            if (pending_.size() - pos > kSizeLineLimit)
                fail(state_ == State::SizeLine ? NetFailure::Kind::BadChunkSize
                                               : NetFailure::Kind::BadChunkFraming);
            break;
        }
        std::string_view line(pending_.data() + pos, feed - pos);
        pos = feed + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (state_ == State::SizeLine) {
            onSizeLine(line);
        } else if (state_ == State::DataEnd) {
            // Nothing but the line end may follow the chunk data.
            if (line.empty())
                state_ = State::SizeLine;
            else
                fail(NetFailure::Kind::BadChunkFraming);
        } else if (line.empty()) {
            state_ = State::Done;  // the empty line after the trailer fields
        }
    }
    pending_.erase(0, pos);
}

void HttpBodyDecoder::finish() {
    if (state_ == State::Plain && framing_ == Framing::UntilClose) {
        state_ = State::Done;
    } else if (state_ != State::Done && state_ != State::Failed) {
        fail(NetFailure::Kind::Closed);
    }
}

}  // namespace tw::freedb
