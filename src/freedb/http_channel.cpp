// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/http_channel.h"

#include <algorithm>

#include "freedb/http_text.h"

namespace tw::freedb {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

bool HttpChannel::connect(const std::string& host, unsigned port) {
    // Without the port a proxy would forward to port 80, and a virtual host would not match.
    hostHeader_ = port == 80 ? host : host + ':' + std::to_string(port);
    reader_ = HttpResponseReader();
    failure_ = Failure::None;
    if (proxy_)
        return socket_.connect(proxy_->host, proxy_->port);
    return socket_.connect(host, port);
}

bool HttpChannel::sendRequest(std::string_view path, bool isPost, std::string_view headers,
                              std::string_view body) {
    failure_ = Failure::None;
    std::string head;
    const auto addLine = [&](std::string_view line) {
        socket_.traceLine(ProtocolTrace::Direction::Sent, line);
        head += line;
        head += kLineEnd;
    };
    std::string requestLine = isPost ? "POST " : "GET ";
    if (proxy_)
        requestLine += "http://" + hostHeader_;
    requestLine += path;
    requestLine += " HTTP/1.1";
    addLine(requestLine);
    addLine("Host: " + hostHeader_);
    if (proxy_ && proxy_->authenticate)
        addLine("Proxy-Authorization: Basic " + Base64(proxy_->user + ':' + proxy_->password));
    while (!headers.empty()) {
        const std::size_t end = std::min(headers.find('\n'), headers.size());
        addLine(headers.substr(0, end));
        headers.remove_prefix(std::min(end + 1, headers.size()));
    }
    addLine("");
    // The body goes out as it is: exactly the bytes its Content-Length counts.
    for (std::string_view rest = body; !rest.empty();) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        socket_.traceLine(ProtocolTrace::Direction::Sent, rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    socket_.beginReply();
    if (!socket_.sendBytes(head + std::string(body)))
        return false;
    if (!pump([this] { return reader_.headComplete(); })) {
        if (reader_.lineTooLong())
            failure_ = Failure::TooLarge;
        return false;
    }
    const unsigned status = reader_.statusCode();
    if (status >= 200 && status < 300)
        return true;
    failure_ = status >= 300 && status < 400 ? Failure::Redirected : Failure::ErrorStatus;
    socket_.close();
    return false;
}

template <typename Ready>
bool HttpChannel::pump(Ready ready) {
    std::string bytes = socket_.takeBuffered();
    while (!ready()) {
        if (reader_.state() == HttpResponseReader::State::Failed)
            break;
        if (!bytes.empty()) {
            reader_.feed(bytes);
            bytes.clear();
            continue;
        }
        const auto result = socket_.receiveSome(bytes);
        if (result == LineSocket::ReadResult::Closed) {
            reader_.finish();
        } else if (result == LineSocket::ReadResult::Failed) {
            break;
        }
    }
    if (ready())
        return true;
    socket_.close();
    return false;
}

bool HttpChannel::receiveLine(std::string& line) {
    failure_ = Failure::None;
    std::string raw;
    bool taken = false;
    const bool ready = pump([&] {
        if (!taken)
            taken = reader_.takeBodyLine(raw);
        return taken || reader_.exhausted();
    });
    if (!ready || !taken) {
        // The body ended or broke off; nothing more comes from this response.
        if (reader_.lineTooLong())
            failure_ = Failure::TooLarge;
        else if (reader_.state() == HttpResponseReader::State::Done)
            failure_ = Failure::Ended;
        socket_.close();
        return false;
    }
    line = DecodeServerLine(raw, charset_);
    socket_.traceLine(ProtocolTrace::Direction::Received, line);
    return true;
}

}  // namespace tw::freedb
