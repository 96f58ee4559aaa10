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

std::string RedirectedReason(std::string_view location) {
    return base::trf(base::ids::kReasonRedirected, shortened(location));
}

std::string ReplyTooLargeReason() {
    return base::tr(base::ids::kReasonReplyTooLarge);
}

std::string ConnectionClosedReason() {
    return base::tr(base::ids::kReasonConnectionClosed);
}

}  // namespace tw::freedb
