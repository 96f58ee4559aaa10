// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "freedb/net_failure.h"

namespace tw::freedb {

// The numbers of the failures the CDDB connections, the web search and the submission write
// to the operation log, as "[ERR]Error %.03u: %s". The hundreds and tens say which command
// failed; each has its own text in the string table.
enum class CddbErrorCode : unsigned {
    CreateSocket = 100,
    Connect = 101,
    WelcomeTimeout = 102,
    PermissionDenied = 103,
    NoMoreUsers = 104,
    UserBreak = 105,
    ServerOverloaded = 106,
    HelloSend = 110,
    HelloReceive = 111,
    HelloInvalid = 112,
    ProtoSend = 120,
    ProtoReceive = 121,
    ProtoUnsupported = 122,
    QuerySend = 130,
    QueryReceive = 131,
    QueryParse = 132,
    QueryInvalidReply = 133,
    ReadSend = 140,
    ReadReceive = 141,
    ReadNotFound = 142,
    ReadServerError = 143,
    ReadCorrupt = 144,
    ReadNoHandshake = 145,
    ReadInvalidReply = 146,
    SitesSend = 150,
    SitesReceive = 151,
    SitesNotRetrieved = 152,
    SearchCreateSocket = 160,
    SearchConnect = 161,
    SearchSend = 162,
    SubmitCreateSocket = 170,
    SubmitConnect = 171,
    SubmitQuery = 172,
    SubmitSend = 173,
    SubmitReceive = 174,
    SubmitRejected = 175,
    StatSend = 180,
    StatReceive = 181,
    StatNotRetrieved = 182,
};

// The text of the code, from the string table.
std::string CddbErrorText(CddbErrorCode code);

// The log's error line for the code: "[ERR]Error 101: Can't connect to remote server!\r\n".
std::string CddbErrorLine(CddbErrorCode code);
// The same line with the reason why the step failed in place of the code's text, when there
// is one: "[ERR]Error 131: The server's reply is too large.\r\n".
std::string CddbErrorLine(CddbErrorCode code, std::string_view reason);

// The reasons a failed step can name, each a text of the string table.
// The server's own reply line (or HTTP status line), shortened to a log line's length.
std::string ServerAnsweredReason(std::string_view reply);
std::string ReplyTooLargeReason();
// What the network failure was; empty when there is nothing to say beyond the step's own
// text (a time-out, whose step text says what was waited for).
std::string NetFailureReason(const NetFailure& failure);

}  // namespace tw::freedb
