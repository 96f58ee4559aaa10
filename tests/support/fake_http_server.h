// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/fake_cddb_database.h"
#include "support/fake_cddb_server.h"
#include "support/tcp_test_server.h"

namespace tw::test {

struct FakeHttpRequest {
    std::string requestLine;
    std::string method;
    std::string target;                // as sent: a path, or an absolute URL through a proxy
    std::vector<std::string> headers;  // "Name: value", as sent
    std::string body;
    // Why the server refused the request as malformed (with 400 or 411, as strict servers
    // do); empty for a request it answered through its handler.
    std::string rejection;

    // The value of the first header of that name (compared without regard to case).
    std::optional<std::string> header(std::string_view name) const;
    // The path and query of the target, without scheme and host.
    std::string pathAndQuery() const;
};

struct FakeHttpReply {
    int status = 200;
    std::string body;
    std::vector<std::string> headers = {};  // further header lines, "Name: value"
};

// How the fake sends a reply body.
enum class HttpFraming { ContentLength, Chunked, UntilClose };

// Hostile HTTP replies on top of the line-level ones of FakeServerMisbehaviour.
enum class HttpHostility {
    None,
    HugeChunkSize,   // a chunk-size line of twenty hex digits
    BadChunkSize,    // a chunk-size line that is not hexadecimal
    EndlessChunks,   // chunks that never end
    EndlessHeaders,  // header lines that never end
    NoStatusLine,    // a body without any HTTP head
    GzipBody,        // a compressed body the client never asked for
    Reset,           // the connection reset instead of a reply
    Trickle,         // the whole reply, head and body, one byte per tricklePause
};

struct FakeHttpOptions {
    HttpFraming framing = HttpFraming::ContentLength;
    std::size_t chunkSize = 7;  // small, so lines span chunks
    HttpHostility hostility = HttpHostility::None;
    // When set, the server acts as a proxy: it wants absolute URLs and this
    // Proxy-Authorization value (an empty value: no header wanted), else 407.
    std::optional<std::string> proxyAuthorization;
    std::chrono::milliseconds tricklePause{10};  // for HttpHostility::Trickle
};

// An HTTP/1.1 server on 127.0.0.1: reads one request per connection (head and a
// Content-Length body), records it, answers through the handler and closes.
//
// It parses requests as strictly as the web servers in front of CDDB servers do (RFC 9112):
// every line of the head must end with CR LF (a bare line feed or a stray carriage return is
// answered with "400 Bad Request"); the request line must be method, target and version
// separated by single blanks; an HTTP/1.1 request must carry exactly one Host header; header
// names must be tokens followed directly by the colon, values free of control characters,
// and no line may be folded; a POST needs a Content-Length ("411 Length Required").
class FakeHttpServer {
public:
    using Handler = std::function<FakeHttpReply(const FakeHttpRequest&)>;

    FakeHttpServer(Handler handler, FakeHttpOptions options = {});

    unsigned port() const { return server_->port(); }
    std::vector<FakeHttpRequest> requests() const;

private:
    void serve(TestConnection& connection);
    // Reads and checks one request; the status of its refusal, or 0 when it is sound.
    int readRequest(TestConnection& connection, FakeHttpRequest& request);
    void sendReply(TestConnection& connection, const FakeHttpReply& reply);

    Handler handler_;
    FakeHttpOptions options_;
    mutable std::mutex mutex_;
    std::vector<FakeHttpRequest> requests_;
    std::unique_ptr<TcpTestServer> server_;
};

// The handler of a CDDB-over-HTTP server: "?cmd=...&hello=...&proto=..." is answered from
// the database at the level "proto" names, one reply line per body line; a level the
// database does not take is refused with "501".
FakeHttpServer::Handler CddbHttpHandler(FakeCddbDatabase& database);

// Decodes "%xx" and "+" of a query-string value.
std::string UrlDecode(std::string_view text);

}  // namespace tw::test
