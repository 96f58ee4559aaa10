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
// through a proxy. Request lines end with a single line feed. The response body comes back
// as lines, its framing (chunked coding, Content-Length, or the close) undone.
class HttpChannel {
public:
    LineSocket& socket() { return socket_; }
    void setProxy(std::optional<HttpProxy> proxy) { proxy_ = std::move(proxy); }
    const std::optional<HttpProxy>& proxy() const { return proxy_; }

    bool create() { return socket_.create(); }
    // Connects to the proxy when one is set, else to host:port. The host (with the port,
    // unless it is 80) names the server in the request.
    bool connect(const std::string& host, unsigned port);

    // Sends the request line, "Host", the proxy credentials when wanted, `headers` (lines
    // each ended by "\n"), the empty line and the body; then reads the response head.
    bool sendRequest(std::string_view path, bool isPost, std::string_view headers = {},
                     std::string_view body = {});

    // The next body line, trimmed and as UTF-8, like LineSocket::receiveLine. False at the
    // end of the body or when the response fails; the socket is then closed.
    bool receiveLine(std::string& line);

    void close() { socket_.close(); }

private:
    // Feeds the reader from the socket until `ready` holds; false when the response fails.
    template <typename Ready>
    bool pump(Ready ready);

    LineSocket socket_;
    std::optional<HttpProxy> proxy_;
    std::string hostHeader_;
    HttpResponseReader reader_;
};

}  // namespace tw::freedb
