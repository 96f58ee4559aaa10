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
    requestSent_ = false;
    const bool connected =
        proxy_ ? socket_.connect(proxy_->host, proxy_->port) : socket_.connect(host, port);
    failure_ = socket_.lastFailure();
    return connected;
}

bool HttpChannel::sendRequest(std::string_view path, bool isPost, std::string_view headers,
                              std::string_view body) {
    failure_ = {};
    requestSent_ = false;
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
    if (!socket_.sendBytes(head + std::string(body))) {
        failure_ = socket_.lastFailure();
        return false;
    }
    requestSent_ = true;
    if (!pump([this] { return reader_.headComplete(); })) {
        failure_ = responseFailure();
        return false;
    }
    const unsigned status = reader_.statusCode();
    if (status >= 200 && status < 300)
        return true;
    if (status >= 300 && status < 400 && !reader_.location().empty())
        failure_ = {NetFailure::Kind::Redirected, reader_.location()};
    else
        failure_ = {NetFailure::Kind::ErrorStatus, reader_.statusLine()};
    socket_.close();
    return false;
}

NetFailure HttpChannel::responseFailure() const {
    if (reader_.state() == HttpResponseReader::State::Failed)
        return reader_.failure();
    return socket_.lastFailure();
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
    failure_ = {};
    std::string raw;
    bool taken = false;
    const bool ready = pump([&] {
        if (!taken)
            taken = reader_.takeBodyLine(raw);
        return taken || reader_.exhausted();
    });
    if (!ready || !taken) {
        // The body ended or broke off; nothing more comes from this response.
        failure_ = reader_.state() == HttpResponseReader::State::Done
                       ? NetFailure{NetFailure::Kind::Closed, {}}
                       : responseFailure();
        socket_.close();
        return false;
    }
    line = DecodeServerLine(raw, charset_);
    socket_.traceLine(ProtocolTrace::Direction::Received, line);
    return true;
}

}  // namespace tw::freedb
