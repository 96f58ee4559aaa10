// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/http_response_reader.h"

#include <charconv>

#include "base/ascii.h"
#include "freedb/server_text.h"
#include "freedb/text_util.h"

namespace tw::freedb {

namespace {

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = base::asciiUpper(c);
    return out;
}

// The code of "HTTP/1.1 302 Found": the three digits after the first blank; 0 without them.
unsigned parseStatusCode(std::string_view line) {
    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos || line.size() < blank + 4)
        return 0;
    unsigned code = 0;
    for (char c : line.substr(blank + 1, 3)) {
        if (c < '0' || c > '9')
            return 0;
        code = code * 10 + static_cast<unsigned>(c - '0');
    }
    return code;
}

// The value of the header line `line` when its name is `upperName` (with the colon), as it
// came (a URL keeps its case).
std::optional<std::string> headerValue(std::string_view line, std::string_view upperLine,
                                       std::string_view upperName) {
    if (upperLine.substr(0, upperName.size()) != upperName)
        return std::nullopt;
    return std::string(Trim(line.substr(upperName.size())));
}

bool isIdentityEncoding(std::string_view encoding) {
    return encoding.empty() || upper(encoding) == "IDENTITY";
}

std::optional<std::uint64_t> parseContentLength(std::string_view upperLine) {
    constexpr std::string_view kName = "CONTENT-LENGTH:";
    if (upperLine.substr(0, kName.size()) != kName)
        return std::nullopt;
    std::string_view value = upperLine.substr(kName.size());
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
        value.remove_prefix(1);
    std::uint64_t length = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), length);
    if (error != std::errc() || end == value.data())
        return std::nullopt;
    return length;
}

}  // namespace

void HttpResponseReader::feed(std::string_view raw) {
    if (state_ == State::Body) {
        feedBody(raw);
        return;
    }
    if (state_ != State::StatusLine && state_ != State::Headers)
        return;
    head_.feed(raw);
    std::string line;
    while ((state_ == State::StatusLine || state_ == State::Headers) && head_.takeLine(line))
        onHeadLine(line);
    if (head_.overflowed())
        fail({NetFailure::Kind::TooLarge, {}});
    if (state_ == State::Body)
        feedBody(head_.takeRest());
}

void HttpResponseReader::onHeadLine(const std::string& rawLine) {
    const std::string line = trimProtocolLine(rawLine);
    if (state_ == State::StatusLine) {
        if (line.find("HTTP/") == std::string::npos) {
            fail({NetFailure::Kind::NotHttp, {}});
            return;
        }
        http11_ = line.find("HTTP/1.1") != std::string::npos;
        statusLine_ = line;
        statusCode_ = parseStatusCode(line);
        state_ = State::Headers;
        return;
    }
    if (line.empty()) {
        startBody();
        return;
    }
    if (++headerLines_ > kMaxHeaderLines) {
        fail({NetFailure::Kind::TooManyHeaderLines, {}});
        return;
    }
    const std::string upperLine = upper(line);
    if (http11_ && upperLine.find("TRANSFER-ENCODING") != std::string::npos &&
        upperLine.find("CHUNKED") != std::string::npos)
        chunked_ = true;
    if (auto length = parseContentLength(upperLine))
        contentLength_ = length;
    if (auto location = headerValue(line, upperLine, "LOCATION:"))
        location_ = std::move(*location);
    if (auto encoding = headerValue(line, upperLine, "CONTENT-ENCODING:"))
        contentEncoding_ = std::move(*encoding);
}

void HttpResponseReader::fail(NetFailure failure) {
    state_ = State::Failed;
    failure_ = std::move(failure);
}

void HttpResponseReader::startBody() {
    // A compressed body read as text would come out as noise.
    if (!isIdentityEncoding(contentEncoding_)) {
        fail({NetFailure::Kind::UnsupportedEncoding, contentEncoding_});
        return;
    }
    state_ = State::Body;
    // Chunked coding wins over a length, as HTTP/1.1 demands.
    if (chunked_) {
        decoder_.emplace(HttpBodyDecoder::Framing::Chunked, 0);
    } else if (contentLength_) {
        decoder_.emplace(HttpBodyDecoder::Framing::Length, *contentLength_);
    } else {
        decoder_.emplace(HttpBodyDecoder::Framing::UntilClose, 0);
    }
    if (decoder_->done())
        state_ = State::Done;
}

void HttpResponseReader::feedBody(std::string_view raw) {
    std::string body;
    decoder_->feed(raw, body);
    body_.feed(body);
    if (decoder_->failed()) {
        fail({decoder_->failure(), {}});
    } else if (decoder_->done()) {
        state_ = State::Done;
    }
}

void HttpResponseReader::finish() {
    if (state_ == State::Body) {
        decoder_->finish();
        if (decoder_->done())
            state_ = State::Done;
        else
            fail({decoder_->failure(), {}});
    } else if (state_ == State::StatusLine || state_ == State::Headers) {
        fail({NetFailure::Kind::Closed, {}});
    }
}

bool HttpResponseReader::takeBodyLine(std::string& line) {
    if (state_ == State::Failed)
        return false;
    if (body_.takeLine(line))
        return true;
    if (body_.overflowed()) {
        fail({NetFailure::Kind::TooLarge, {}});
        return false;
    }
    if (state_ == State::Done && !bodyFlushed_) {
        bodyFlushed_ = true;
        if (!body_.empty()) {
            line = body_.takeRest();
            return true;
        }
    }
    return false;
}

bool HttpResponseReader::exhausted() const {
    return state_ == State::Failed || (state_ == State::Done && bodyFlushed_);
}

}  // namespace tw::freedb
