#include "freedb/http_channel.h"

#include <algorithm>

#include "freedb/http_text.h"
#include "freedb/server_text.h"

namespace tw::freedb {

bool HttpChannel::connect(const std::string& host, unsigned port) {
    // Without the port a proxy would forward to port 80, and a virtual host would not match.
    hostHeader_ = port == 80 ? host : host + ':' + std::to_string(port);
    reader_ = HttpResponseReader();
    if (proxy_)
        return socket_.connect(proxy_->host, proxy_->port);
    return socket_.connect(host, port);
}

bool HttpChannel::sendRequest(std::string_view path, bool isPost, std::string_view headers,
                              std::string_view body) {
    std::string request = isPost ? "POST " : "GET ";
    if (proxy_)
        request += "http://" + hostHeader_;
    request += path;
    request += " HTTP/1.1";
    socket_.beginReply();
    if (!socket_.sendLine(request) || !socket_.sendLine("Host: " + hostHeader_))
        return false;
    if (proxy_ && proxy_->authenticate &&
        !socket_.sendLine("Proxy-Authorization: Basic " +
                          Base64(proxy_->user + ':' + proxy_->password)))
        return false;
    while (!headers.empty()) {
        const std::size_t end = std::min(headers.find('\n'), headers.size());
        if (!socket_.sendLine(headers.substr(0, end)))
            return false;
        headers.remove_prefix(std::min(end + 1, headers.size()));
    }
    if (!socket_.sendLine(""))
        return false;
    // The body goes out as it is: exactly the bytes its Content-Length counts.
    for (std::string_view rest = body; !rest.empty();) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        socket_.traceLine(ProtocolTrace::Direction::Sent, rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    if (!body.empty() && !socket_.sendBytes(body))
        return false;
    return pump([this] { return reader_.headComplete(); });
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
    std::string raw;
    bool taken = false;
    const bool ready = pump([&] {
        if (!taken)
            taken = reader_.takeBodyLine(raw);
        return taken || reader_.exhausted();
    });
    if (!ready || !taken) {
        // The body ended or broke off; nothing more comes from this response.
        socket_.close();
        return false;
    }
    line = serverLineToUtf8(trimProtocolLine(raw));
    socket_.traceLine(ProtocolTrace::Direction::Received, line);
    return true;
}

}  // namespace tw::freedb
