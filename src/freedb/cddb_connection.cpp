// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/cddb_connection.h"

#include <algorithm>

#include "base/language.h"
#include "base/string_ids.h"
#include "freedb/hello_words.h"

namespace tw::freedb {

namespace ids = base::ids;

unsigned PortNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    unsigned port = 0;
    bool digits = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        port = port * 10 + static_cast<unsigned>(text[i] - '0');
        digits = true;
        if (port > 65535)
            return 0;
    }
    return digits ? port : 0;
}

CddbConnection::CddbConnection(FreeDbSettings settings) : CddbProtocolStore(std::move(settings)) {}

CddbConnection::~CddbConnection() {
    socket_.close();
}

bool CddbConnection::open() {
    socket_.setStopToken(stopToken());
    const FreeDbSettings& s = settings();
    log(base::trf(ids::kLogConnecting, s.remoteServer, s.remotePort, s.timeout));
    if (connect() && greet() && handshake() && negotiateProtocol())
        return true;
    socket_.close();
    return false;
}

bool CddbConnection::connect() {
    logText(ids::kLogOpeningConnection);
    if (!socket_.create()) {
        fail(CddbErrorCode::CreateSocket);
        return false;
    }
    socket_.setTimeout(settings().timeout);
    if (!socket_.connect(settings().remoteServer, PortNumber(settings().remotePort))) {
        failTransport(CddbErrorCode::Connect);
        return false;
    }
    done();
    return true;
}

bool CddbConnection::greet() {
    std::string line;
    if (!receiveStatusLine(line)) {
        // No progress text is pending: "Opening connection" ended with its "done.".
        log(CddbErrorLine(CddbErrorCode::WelcomeTimeout, failureReason()));
        return false;
    }
    switch (ReplyCode(line)) {
        case 432:
            log(CddbErrorLine(CddbErrorCode::PermissionDenied));
            return false;
        case 433:
            log(CddbErrorLine(CddbErrorCode::NoMoreUsers));
            return false;
        case 434:
            log(CddbErrorLine(CddbErrorCode::ServerOverloaded));
            return false;
        default:
            return true;
    }
}

bool CddbConnection::handshake() {
    logText(ids::kLogSendingHandshake);
    if (!sendCommand("cddb hello " + HelloWords(settings().emailAddress))) {
        failTransport(CddbErrorCode::HelloSend);
        return false;
    }
    std::string line;
    if (!receiveStatusLine(line)) {
        failTransport(CddbErrorCode::HelloReceive);
        return false;
    }
    if (ReplyCode(line) != 200) {
        fail(CddbErrorCode::HelloInvalid, ServerAnsweredReason(line));
        return false;
    }
    done();
    return true;
}

bool CddbConnection::negotiateProtocol() {
    logText(ids::kLogProtocolLevel);
    socket_.setCharset(ServerCharset::Utf8);
    if (!sendCommand("proto " + std::to_string(kModernProtocolLevel))) {
        failTransport(CddbErrorCode::ProtoSend);
        return false;
    }
    std::string line;
    if (!receiveStatusLine(line)) {
        failTransport(CddbErrorCode::ProtoReceive);
        return false;
    }
    const unsigned code = ReplyCode(line);
    // 502: the connection is at that level already.
    unsigned level = kModernProtocolLevel;
    if (code != 200 && code != 201 && code != 502 && !fallBackToSupportedLevel(level)) {
        failTransport(CddbErrorCode::ProtoReceive);
        return false;
    }
    done();
    // The table's text has no line end of its own; without one it would be held and run
    // into the next line.
    if (code == 200)
        log(base::tr(ids::kLogModernProtocol) + "\r\n");
    if (level < kModernProtocolLevel) {
        log(base::trf(ids::kLogProtocolLevelFallback, level));
        socket_.setCharset(ServerCharset::EightBit);
    }
    return true;
}

bool CddbConnection::fallBackToSupportedLevel(unsigned& level) {
    level = 1;
    std::string line;
    if (!sendCommand("proto") || !receiveStatusLine(line))
        return false;
    const ProtocolLevels levels = ParseProtocolLevels(line);
    if (ReplyCode(line) != 200 || levels.supported <= 1)
        return true;
    const unsigned wanted = std::min(levels.supported, kModernProtocolLevel - 1);
    if (!sendCommand("proto " + std::to_string(wanted)) || !receiveStatusLine(line))
        return false;
    const unsigned code = ReplyCode(line);
    if (code == 200 || code == 201 || code == 502)
        level = wanted;
    else if (levels.current > 0)
        level = std::min(levels.current, wanted);
    return true;
}

void CddbConnection::close() {
    if (!socket_.isOpen())
        return;
    logText(ids::kLogClosingConnection);
    if (sendCommand("quit")) {
        std::string line;
        (void)receiveLine(line);  // "230 ...": the server's farewell; nothing depends on it
    }
    socket_.close();
    done();
}

bool CddbConnection::sendCommand(const std::string& command) {
    return socket_.sendLine(command);
}

bool CddbConnection::receiveLine(std::string& line) {
    if (socket_.receiveLine(line))
        return true;
    socket_.close();
    return false;
}

std::string CddbConnection::failureReason() const {
    return NetFailureReason(socket_.lastFailure());
}

}  // namespace tw::freedb
