// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/fake_http_server.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

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

bool isTokenChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) ||
           std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
}

bool isToken(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), isTokenChar);
}

bool hasControl(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && c != '\t') || byte == 0x7F;
    });
}

// Takes the CR LF off a raw head line; false (with the reason) when the line ends otherwise
// or holds another carriage return.
bool stripLineEnd(std::string& line, std::string& rejection) {
    if (line.empty() || line.back() != '\r') {
        rejection = "line without CR LF: " + line;
        return false;
    }
    line.pop_back();
    if (line.find('\r') != std::string::npos) {
        rejection = "stray carriage return: " + line;
        return false;
    }
    return true;
}

// The reasons to refuse a request line; empty when it has the form method SP target SP
// version.
std::string checkRequestLine(const FakeHttpRequest& request, std::string_view version) {
    const std::string& line = request.requestLine;
    if (std::count(line.begin(), line.end(), ' ') != 2)
        return "request line not of three words: " + line;
    if (!isToken(request.method))
        return "method is not a token: " + request.method;
    const bool originForm = request.target.rfind("/", 0) == 0;
    const bool absoluteForm = request.target.rfind("http://", 0) == 0;
    if ((!originForm && !absoluteForm) || hasControl(request.target))
        return "bad request target: " + request.target;
    if (version.size() != 8 || version.substr(0, 5) != "HTTP/" ||
        !std::isdigit(static_cast<unsigned char>(version[5])) || version[6] != '.' ||
        !std::isdigit(static_cast<unsigned char>(version[7])))
        return "bad version: " + std::string(version);
    return {};
}

std::string checkHeaderLine(std::string_view line) {
    if (line.front() == ' ' || line.front() == '\t')
        return "folded header line: " + std::string(line);
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || !isToken(line.substr(0, colon)))
        return "bad header name: " + std::string(line);
    if (hasControl(line.substr(colon + 1)))
        return "control character in header value: " + std::string(line);
    return {};
}

std::string reasonPhrase(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 301:
            return "Moved Permanently";
        case 302:
            return "Found";
        case 400:
            return "Bad Request";
        case 404:
            return "Not Found";
        case 407:
            return "Proxy Authentication Required";
        case 411:
            return "Length Required";
        default:
            return "Status";
    }
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
    const int refusal = readRequest(connection, request);
    {
        const std::lock_guard lock(mutex_);
        requests_.push_back(request);
    }
    if (refusal != 0) {
        // As the common servers do: an error page, and the connection closes.
        connection.send("HTTP/1.1 " + std::to_string(refusal) + " " + reasonPhrase(refusal) +
                        "\r\nContent-Type: text/html\r\nConnection: close\r\n\r\n<html><body>" +
                        std::to_string(refusal) + " " + reasonPhrase(refusal) + "</body></html>\n");
        return;
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

int FakeHttpServer::readRequest(TestConnection& connection, FakeHttpRequest& request) {
    if (!connection.readRawLine(request.requestLine)) {
        request.rejection = "no request line";
        return 400;
    }
    if (!stripLineEnd(request.requestLine, request.rejection))
        return 400;
    const std::size_t firstBlank = request.requestLine.find(' ');
    const std::size_t secondBlank = request.requestLine.find(' ', firstBlank + 1);
    if (firstBlank == std::string::npos || secondBlank == std::string::npos) {
        request.rejection = "request line not of three words: " + request.requestLine;
        return 400;
    }
    request.method = request.requestLine.substr(0, firstBlank);
    request.target = request.requestLine.substr(firstBlank + 1, secondBlank - firstBlank - 1);
    const std::string version = request.requestLine.substr(secondBlank + 1);
    request.rejection = checkRequestLine(request, version);
    if (!request.rejection.empty())
        return 400;

    std::string line;
    for (;;) {
        if (!connection.readRawLine(line)) {
            request.rejection = "head ends early";
            return 400;
        }
        if (!stripLineEnd(line, request.rejection))
            return 400;
        if (line.empty())
            break;
        request.rejection = checkHeaderLine(line);
        if (!request.rejection.empty())
            return 400;
        request.headers.push_back(line);
    }

    const auto hosts = std::count_if(
        request.headers.begin(), request.headers.end(),
        [](const std::string& header) { return equalsNoCase(header.substr(0, 5), "Host:"); });
    if (version == "HTTP/1.1" && hosts != 1) {
        request.rejection = "HTTP/1.1 wants exactly one Host header";
        return 400;
    }
    const auto length = request.header("Content-Length");
    if (length &&
        (length->empty() || length->find_first_not_of("0123456789") != std::string::npos)) {
        request.rejection = "bad Content-Length: " + *length;
        return 400;
    }
    if (request.method == "POST" && !length) {
        request.rejection = "POST without Content-Length";
        return 411;
    }
    if (length && !connection.readBytes(std::stoul(*length), request.body)) {
        request.rejection = "body shorter than its Content-Length";
        return 400;
    }
    return 0;
}

void FakeHttpServer::sendReply(TestConnection& connection, const FakeHttpReply& reply) {
    std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " " +
                       reasonPhrase(reply.status) + "\r\n" +
                       "Content-Type: text/plain; charset=UTF-8\r\n";
    for (const std::string& header : reply.headers)
        head += header + "\r\n";
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
        case HttpHostility::GzipBody: {
            // A gzip member's magic and header, then deflated-looking bytes.
            std::string gzip("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03", 10);
            for (int i = 0; i < 64; ++i)
                gzip += static_cast<char>((i * 97 + 5) % 256);
            connection.send(head + "Content-Encoding: gzip\r\nContent-Length: " +
                            std::to_string(gzip.size()) + "\r\n\r\n" + gzip);
            holdOpen(connection);
            return;
        }
        case HttpHostility::Reset:
            connection.reset();
            return;
        case HttpHostility::Trickle:
            connection.trickle(head + "Content-Length: " + std::to_string(reply.body.size()) +
                                   "\r\n\r\n" + reply.body,
                               options_.tricklePause);
            holdOpen(connection);
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
        // Each request runs at the level it names, or is refused whole when the server does
        // not know that level.
        const std::string proto = queryValue(query, "proto");
        int level = proto.empty() ? 1 : std::atoi(proto.c_str());
        if (level < 1 || level > database.highestProtocolLevel())
            return FakeHttpReply{200, "501 Illegal CDDB protocol level.\n"};
        std::string body;
        for (const std::string& line : database.reply(queryValue(query, "cmd"), level))
            body += line + "\n";
        return FakeHttpReply{200, body};
    };
}

}  // namespace tw::test
