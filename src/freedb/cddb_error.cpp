// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/cddb_error.h"

#include "base/language.h"
#include "base/string_ids.h"

namespace tw::freedb {

std::string CddbErrorText(CddbErrorCode code) {
    return base::tr(base::ids::kCddbErrorTextBase + static_cast<int>(code));
}

std::string CddbErrorLine(CddbErrorCode code) {
    return CddbErrorLine(code, {});
}

std::string CddbErrorLine(CddbErrorCode code, std::string_view reason) {
    return base::trf(base::ids::kLogError, static_cast<unsigned>(code),
                     reason.empty() ? CddbErrorText(code) : std::string(reason));
}

namespace {

// What a server says can be as long as a line may be; the log line shows its beginning.
constexpr std::size_t kQuotedReplyLimit = 200;

std::string shortened(std::string_view text) {
    if (text.size() <= kQuotedReplyLimit)
        return std::string(text);
    std::size_t end = kQuotedReplyLimit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;  // not inside a UTF-8 character
    return std::string(text.substr(0, end)) + "...";
}

}  // namespace

std::string ServerAnsweredReason(std::string_view reply) {
    return base::trf(base::ids::kReasonServerAnswered, shortened(reply));
}

std::string ReplyTooLargeReason() {
    return base::tr(base::ids::kReasonReplyTooLarge);
}

std::string NetFailureReason(const NetFailure& failure) {
    namespace ids = base::ids;
    using Kind = NetFailure::Kind;
    switch (failure.kind) {
        case Kind::None:
        case Kind::TimedOut:
            return {};
        case Kind::HostNotFound:
            return base::trf(ids::kReasonHostNotFound, failure.detail);
        case Kind::Refused:
            return base::trf(ids::kReasonConnectionRefused, failure.detail);
        case Kind::Unreachable:
            return base::trf(ids::kReasonHostUnreachable, failure.detail);
        case Kind::ConnectTimedOut:
            return base::trf(ids::kReasonConnectTimedOut, failure.detail);
        case Kind::Reset:
            return base::tr(ids::kReasonConnectionReset);
        case Kind::Closed:
            return base::tr(ids::kReasonConnectionClosed);
        case Kind::TooLarge:
            return ReplyTooLargeReason();
        case Kind::NotHttp:
            return base::tr(ids::kReasonMalformedNoStatusLine);
        case Kind::BadChunkSize:
            return base::tr(ids::kReasonMalformedChunkSize);
        case Kind::BadChunkFraming:
            return base::tr(ids::kReasonMalformedChunkFraming);
        case Kind::TooManyHeaderLines:
            return base::tr(ids::kReasonMalformedTooManyHeaders);
        case Kind::UnsupportedEncoding:
            return base::trf(ids::kReasonUnsupportedEncoding, shortened(failure.detail));
        case Kind::Redirected:
            return base::trf(ids::kReasonRedirected, shortened(failure.detail));
        case Kind::ErrorStatus:
            return ServerAnsweredReason(failure.detail);
    }
    return {};
}

}  // namespace tw::freedb
