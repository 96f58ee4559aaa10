// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "freedb/http_response_reader.h"
#include "freedb/line_socket.h"

namespace tw::freedb {

// An HTTP proxy and, when it wants them, the Basic credentials for it.
struct HttpProxy {
    std::string host;
    unsigned port = 0;
    bool authenticate = false;
    std::string user;
    std::string password;
};

// One HTTP/1.1 request and its response at a time, over a LineSocket of its own, directly or
// through a proxy. The request head goes out in one piece, every line ended by "\r\n" as
// HTTP demands (strict servers answer a bare line feed with "400 Bad Request"). The response
// body comes back as lines, its framing (chunked coding, Content-Length, or the close)
// undone.
class HttpChannel {
public:
    LineSocket& socket() { return socket_; }
    void setProxy(std::optional<HttpProxy> proxy) { proxy_ = std::move(proxy); }
    const std::optional<HttpProxy>& proxy() const { return proxy_; }

    [[nodiscard]] bool create() { return socket_.create(); }
    // Connects to the proxy when one is set, else to host:port. The host (with the port,
    // unless it is 80) names the server in the request.
    [[nodiscard]] bool connect(const std::string& host, unsigned port);

    // Sends the request line, "Host", the proxy credentials when wanted, `headers` (lines
    // each ended by "\n" here; they go out with "\r\n"), the empty line and the body; then
    // reads the response head. False when the request could not be sent, no sound head came,
    // or its status is not a success (2xx); requestSent() then tells which side failed.
    bool sendRequest(std::string_view path, bool isPost, std::string_view headers = {},
                     std::string_view body = {});

    // The next body line, as UTF-8 without its line end (see DecodeServerLine). False at
    // the end of the body (a failure of kind Closed: more was wanted) or when the response
    // fails; the socket is then closed.
    [[nodiscard]] bool receiveLine(std::string& line);

    // How body lines are decoded.
    void setCharset(ServerCharset charset) { charset_ = charset; }
    // Why the last connect, request or body line failed: the connection, the framing of the
    // response, or its status (Redirected, ErrorStatus).
    const NetFailure& lastFailure() const { return failure_; }
    // The last request went out whole, so its failure lies in the response.
    bool requestSent() const { return requestSent_; }
    const HttpResponseReader& response() const { return reader_; }

    void close() { socket_.close(); }

private:
    // Feeds the reader from the socket until `ready` holds; false when the response fails.
    template <typename Ready>
    [[nodiscard]] bool pump(Ready ready);
    // Why the response broke off: the framing when it is at fault, else the connection.
    NetFailure responseFailure() const;

    LineSocket socket_;
    std::optional<HttpProxy> proxy_;
    std::string hostHeader_;
    HttpResponseReader reader_;
    ServerCharset charset_ = ServerCharset::Utf8;
    NetFailure failure_;
    bool requestSent_ = false;
};

}  // namespace tw::freedb
