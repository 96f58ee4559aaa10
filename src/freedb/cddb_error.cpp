#include "freedb/cddb_error.h"

#include "base/string_ids.h"
#include "base/string_table.h"
#include "freedb/log_text.h"

namespace tw::freedb {

std::string CddbErrorText(CddbErrorCode code) {
    return std::string(
        base::builtinText(base::ids::kCddbErrorTextBase + static_cast<int>(code)));
}

std::string CddbErrorLine(CddbErrorCode code) {
    return FormatText(base::ids::kLogError, static_cast<unsigned>(code),
                      CddbErrorText(code).c_str());
}

}  // namespace tw::freedb
