#include "support/fake_http_server.h"

#include <cctype>
#include <cstdio>

namespace tw::test {

namespace {

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string queryValue(std::string_view query, std::string_view name) {
    const std::string key = std::string(name) + "=";
    std::size_t pos = 0;
    while (pos <= query.size()) {
        const std::size_t end = std::min(query.find('&', pos), query.size());
        const std::string_view pair = query.substr(pos, end - pos);
        if (pair.substr(0, key.size()) == key)
            return UrlDecode(pair.substr(key.size()));
        pos = end + 1;
    }
    return {};
}

// A keep-alive server leaves the connection open after the reply: the client must end the
// body by its framing, not by the close.
void holdOpen(TestConnection& connection) {
    while (connection.alive())
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

std::string hex(std::size_t n) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%zx", n);
    return buffer;
}

}  // namespace

std::optional<std::string> FakeHttpRequest::header(std::string_view name) const {
    for (const std::string& line : headers) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos || !equalsNoCase(line.substr(0, colon), name))
            continue;
        std::size_t start = colon + 1;
        while (start < line.size() && line[start] == ' ')
            ++start;
        return line.substr(start);
    }
    return std::nullopt;
}

std::string FakeHttpRequest::pathAndQuery() const {
    if (target.rfind("http://", 0) != 0)
        return target;
    const std::size_t slash = target.find('/', 7);
    return slash == std::string::npos ? "/" : target.substr(slash);
}

std::string UrlDecode(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() &&
                   std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
                   std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

FakeHttpServer::FakeHttpServer(Handler handler, FakeHttpOptions options)
    : handler_(std::move(handler)),
      options_(std::move(options)),
      server_(std::make_unique<TcpTestServer>(
          [this](TestConnection& connection) { serve(connection); })) {}

std::vector<FakeHttpRequest> FakeHttpServer::requests() const {
    const std::lock_guard lock(mutex_);
    return requests_;
}

void FakeHttpServer::serve(TestConnection& connection) {
    FakeHttpRequest request;
    if (!connection.readLine(request.requestLine))
        return;
    const std::size_t firstBlank = request.requestLine.find(' ');
    const std::size_t secondBlank = request.requestLine.find(' ', firstBlank + 1);
    if (firstBlank == std::string::npos || secondBlank == std::string::npos)
        return;
    request.method = request.requestLine.substr(0, firstBlank);
    request.target = request.requestLine.substr(firstBlank + 1, secondBlank - firstBlank - 1);
    std::string line;
    while (connection.readLine(line) && !line.empty())
        request.headers.push_back(line);
    if (const auto length = request.header("Content-Length"))
        connection.readBytes(std::stoul(*length), request.body);
    {
        const std::lock_guard lock(mutex_);
        requests_.push_back(request);
    }

    if (options_.proxyAuthorization) {
        const auto sent = request.header("Proxy-Authorization");
        const bool wanted = !options_.proxyAuthorization->empty();
        const bool absolute = request.target.rfind("http://", 0) == 0;
        if (!absolute || (wanted ? sent != options_.proxyAuthorization : sent.has_value())) {
            sendReply(connection, {407, "Proxy Authentication Required\n"});
            return;
        }
    }
    sendReply(connection, handler_(request));
}

void FakeHttpServer::sendReply(TestConnection& connection, const FakeHttpReply& reply) {
    std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " Status\r\n" +
                       "Content-Type: text/plain; charset=UTF-8\r\n";
    switch (options_.hostility) {
        case HttpHostility::None:
            break;
        case HttpHostility::HugeChunkSize:
            connection.send(head + "Transfer-Encoding: chunked\r\n\r\nFFFFFFFFFFFFFFFFFFFF\r\n" +
                            reply.body);
            return;
        case HttpHostility::BadChunkSize:
            connection.send(head + "Transfer-Encoding: chunked\r\n\r\nzz\r\n" + reply.body);
            return;
        case HttpHostility::EndlessChunks: {
            if (!connection.send(head + "Transfer-Encoding: chunked\r\n\r\n"))
                return;
            const std::string chunk = "10\r\nrock 0a0b0c0d X\n\r\n";
            while (connection.send(chunk)) {
            }
            return;
        }
        case HttpHostility::EndlessHeaders:
            if (!connection.send(head))
                return;
            while (connection.send("X-Padding: padding\r\n")) {
            }
            return;
        case HttpHostility::NoStatusLine:
            connection.send(reply.body);
            return;
    }
    switch (options_.framing) {
        case HttpFraming::ContentLength:
            if (!connection.send(head + "Content-Length: " + std::to_string(reply.body.size()) +
                                 "\r\n\r\n" + reply.body))
                return;
            holdOpen(connection);
            return;
        case HttpFraming::UntilClose:
            connection.send(head + "Connection: close\r\n\r\n" + reply.body);
            return;
        case HttpFraming::Chunked: {
            std::string text = head + "Transfer-Encoding: chunked\r\n\r\n";
            for (std::size_t pos = 0; pos < reply.body.size(); pos += options_.chunkSize) {
                const std::string piece = reply.body.substr(pos, options_.chunkSize);
                text += hex(piece.size()) + ";ext=1\r\n" + piece + "\r\n";
            }
            text += "0\r\nX-Trailer: done\r\n\r\n";
            if (connection.send(text))
                holdOpen(connection);
            return;
        }
    }
}

FakeHttpServer::Handler CddbHttpHandler(FakeCddbDatabase& database) {
    return [&database](const FakeHttpRequest& request) {
        const std::string target = request.pathAndQuery();
        const std::size_t question = target.find('?');
        const std::string query = question == std::string::npos ? "" : target.substr(question + 1);
        std::string body;
        for (const std::string& line : database.reply(queryValue(query, "cmd")))
            body += line + "\n";
        return FakeHttpReply{200, body};
    };
}

}  // namespace tw::test
