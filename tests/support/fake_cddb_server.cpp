// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/fake_cddb_server.h"

namespace tw::test {

namespace {

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

}  // namespace

bool SendHostileReply(TestConnection& connection, const std::vector<std::string>& lines,
                      const FakeServerMisbehaviour& misbehaviour) {
    const std::string text = joinLines(lines);
    switch (misbehaviour.hostility) {
        case Hostility::None:
            return connection.send(text);
        case Hostility::Garbage: {
            std::string noise;
            for (int i = 0; i < 4096; ++i)
                noise += static_cast<char>((i * 131 + 17) % 256);
            connection.send(noise);
            return false;
        }
        case Hostility::EndlessLine: {
            const std::string block(4096, 'x');
            while (connection.send(block)) {
            }
            return false;
        }
        case Hostility::EndlessReply: {
            // Keep a multi-line reply's own first line, so the client takes the endless
            // lines for that reply.
            std::string head = lines.empty() ? "" : lines.front();
            if (head.size() < 3 || head[1] != '1')
                head = "210 Lines follow";
            if (!connection.send(head + "\r\n"))
                return false;
            const std::string line = "rock 0a0b0c0d Endless / Reply\r\n";
            std::string block;
            while (block.size() < 4096)
                block += line;
            while (connection.send(block)) {
            }
            return false;
        }
        case Hostility::WrongCode:
            return connection.send("999 Something else entirely\r\n");
        case Hostility::CloseMidLine:
            connection.send(std::string_view(text).substr(0, text.size() / 2));
            return false;
        case Hostility::SlowTrickle:
            return connection.trickle(text, misbehaviour.tricklePause);
        case Hostility::InvalidUtf8: {
            std::string bent = text;
            for (char& c : bent)
                if (c == 'e')
                    c = static_cast<char>(0xE9);
            return connection.send(bent);
        }
        case Hostility::Silent:
            while (connection.alive())
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            return false;
        case Hostility::Reset:
            connection.reset();
            return false;
    }
    return false;
}

FakeCddbServer::FakeCddbServer(FakeCddbDatabase& database, FakeServerMisbehaviour misbehaviour,
                               std::string greeting)
    : database_(database),
      misbehaviour_(std::move(misbehaviour)),
      greeting_(std::move(greeting)),
      server_(std::make_unique<TcpTestServer>(
          [this](TestConnection& connection) { serve(connection); })) {}

void FakeCddbServer::serve(TestConnection& connection) {
    const bool hostileGreeting =
        misbehaviour_.hostility != Hostility::None && misbehaviour_.trigger.empty();
    if (hostileGreeting) {
        if (!SendHostileReply(connection, {greeting_}, misbehaviour_))
            return;
    } else if (!connection.send(greeting_ + "\r\n")) {
        return;
    }
    std::string command;
    int level = 1;  // where every connection starts
    while (connection.readLine(command)) {
        std::this_thread::sleep_for(replyDelay_.load());
        const std::vector<std::string> lines = database_.reply(command, level);
        const bool hostile = misbehaviour_.hostility != Hostility::None &&
                             !misbehaviour_.trigger.empty() &&
                             command.rfind(misbehaviour_.trigger, 0) == 0;
        if (hostile) {
            if (!SendHostileReply(connection, lines, misbehaviour_))
                return;
        } else if (!connection.send(joinLines(lines))) {
            return;
        }
        if (command == "quit")
            return;
    }
}

}  // namespace tw::test
