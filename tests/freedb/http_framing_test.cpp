// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "freedb/http_response_reader.h"
#include "freedb/line_splitter.h"

namespace tw::freedb {
namespace {

struct Outcome {
    std::vector<std::string> lines;
    HttpResponseReader::State state;
};

// Feeds `response` in pieces of `step` bytes (0: all at once), then the close when asked.
Outcome read(const std::string& response, std::size_t step, bool close) {
    HttpResponseReader reader;
    Outcome out;
    std::string line;
    const std::size_t size = step == 0 ? response.size() : step;
    for (std::size_t pos = 0; pos < response.size(); pos += size) {
        reader.feed(std::string_view(response).substr(pos, size));
        while (reader.takeBodyLine(line))
            out.lines.push_back(line);
    }
    if (close)
        reader.finish();
    while (reader.takeBodyLine(line))
        out.lines.push_back(line);
    out.state = reader.state();
    return out;
}

std::string chunk(const std::string& data, const std::string& extension = "") {
    char size[20];
    std::snprintf(size, sizeof size, "%zX", data.size());
    return size + extension + "\r\n" + data + "\r\n";
}

const std::string kChunked =
    "HTTP/1.1 200 OK\r\n"
    "transfer-encoding: Chunked\r\n"
    "\r\n" +
    chunk("210 ro", ";name=value") + chunk("ck 0d01a202 A / B\n# x") + chunk("mcd\n") +
    chunk(".\n") +
    "0\r\n"
    "X-Trailer: ignored\r\n"
    "\r\n";

TEST(HttpResponseReader, ChunkedBodyIsDecodedWhateverThePieceSize) {
    const std::vector<std::string> expected = {"210 rock 0d01a202 A / B", "# xmcd", "."};
    for (std::size_t step : {0, 1, 2, 5, 13}) {
        const Outcome out = read(kChunked, step, false);
        EXPECT_EQ(out.lines, expected) << "step " << step;
        EXPECT_EQ(out.state, HttpResponseReader::State::Done) << "step " << step;
    }
}

TEST(HttpResponseReader, TheBodyEndsWhereItsFramingSays) {
    using State = HttpResponseReader::State;
    const std::string unframed = "HTTP/1.0 200 OK\r\n\r\nline 1\r\nline 2";
    const struct {
        const char* name;
        std::string response;
        bool close;
        std::vector<std::string> lines;
        State state;
    } cases[] = {
        {"length",
         "HTTP/1.1 200 OK\r\nContent-Length: 11\r\n\r\n200 a\nlast!NOT IN THE BODY\n",
         false,
         {"200 a", "last!"},
         State::Done},
        {"unframed, open", unframed, false, {"line 1\r"}, State::Body},
        {"unframed, closed", unframed, true, {"line 1\r", "line 2"}, State::Done},
        // An HTTP/1.0 response cannot be chunked; its body is taken as it stands.
        {"chunked 1.0",
         "HTTP/1.0 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n",
         true,
         {"3\r", "abc\r"},
         State::Done},
        // An encoding that changes nothing is no reason to fail.
        {"identity",
         "HTTP/1.1 200 OK\r\nContent-Encoding: Identity\r\n\r\n200 a\n",
         true,
         {"200 a"},
         State::Done},
    };
    for (const auto& c : cases) {
        const Outcome out = read(c.response, 3, c.close);
        EXPECT_EQ(out.lines, c.lines) << c.name;
        EXPECT_EQ(out.state, c.state) << c.name;
    }
}

TEST(HttpResponseReader, BrokenResponsesFailAndSayWhy) {
    using Kind = NetFailure::Kind;
    const std::pair<std::string, Kind> broken[] = {
        {"210 rock 0d01a202 A / B\r\n", Kind::NotHttp},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\nabc\r\n", Kind::BadChunkSize},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1FFFFFFFFFFFFFFFFF\r\nabc\r\n",
         Kind::BadChunkSize},
        // data longer than its chunk
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nabc\r\n0\r\n\r\n",
         Kind::BadChunkFraming},
        // bodies and heads cut short by the close
        {kChunked.substr(0, kChunked.size() - 20), Kind::Closed},
        {"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n200 a\n", Kind::Closed},
        {"HTTP/1.1 200 OK\r\nContent-Len", Kind::Closed},
        {"HTTP/1.1 200 OK\r\nContent-Encoding: br\r\n\r\n\x1b\x02", Kind::UnsupportedEncoding},
    };
    for (const auto& [response, kind] : broken) {
        HttpResponseReader reader;
        reader.feed(response);
        reader.finish();
        EXPECT_EQ(reader.state(), HttpResponseReader::State::Failed) << response;
        EXPECT_EQ(reader.failure().kind, kind) << response;
    }
}

TEST(HttpResponseReader, HugeChunkSizeStreamsWithoutHoldingTheChunk) {
    HttpResponseReader reader;
    reader.feed("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nFFFFFFFFFFFF\r\n");
    std::string line;
    const std::string block(1000, 'a');
    for (int i = 0; i < 200; ++i) {
        reader.feed(block + "\n");
        ASSERT_TRUE(reader.takeBodyLine(line));
        EXPECT_EQ(line.size(), 1000u);
    }
    EXPECT_EQ(reader.state(), HttpResponseReader::State::Body);
}

TEST(HttpResponseReader, OverlongLinesAndEndlessHeadersFail) {
    HttpResponseReader longLine;
    longLine.feed("HTTP/1.1 200 OK\r\n\r\n");
    std::string line;
    const std::string block(4096, 'x');
    for (int i = 0; i < 20 && longLine.state() != HttpResponseReader::State::Failed; ++i) {
        longLine.feed(block);
        longLine.takeBodyLine(line);
    }
    EXPECT_EQ(longLine.failure().kind, NetFailure::Kind::TooLarge);

    HttpResponseReader headers;
    headers.feed("HTTP/1.1 200 OK\r\n");
    for (int i = 0; i < 1000 && headers.state() != HttpResponseReader::State::Failed; ++i)
        headers.feed("X-Padding: padding\r\n");
    EXPECT_EQ(headers.failure().kind, NetFailure::Kind::TooManyHeaderLines);
}

TEST(LineSplitter, KeepsLinesOfAnyLengthUpToTheLimit) {
    LineSplitter splitter(300);
    const std::string line300(300, 'l');
    splitter.feed(line300.substr(0, 100));
    std::string line;
    EXPECT_FALSE(splitter.takeLine(line));
    splitter.feed(line300.substr(100) + "\nnext");
    ASSERT_TRUE(splitter.takeLine(line));
    EXPECT_EQ(line, line300);
    EXPECT_FALSE(splitter.takeLine(line));
    EXPECT_EQ(splitter.takeRest(), "next");

    splitter.feed(std::string(301, 'x'));
    EXPECT_FALSE(splitter.takeLine(line));
    EXPECT_TRUE(splitter.overflowed());
}

}  // namespace
}  // namespace tw::freedb
