#include "freedb/cddb_error.h"

#include "base/language.h"
#include "base/string_ids.h"

namespace tw::freedb {

std::string CddbErrorText(CddbErrorCode code) {
    return base::tr(base::ids::kCddbErrorTextBase + static_cast<int>(code));
}

std::string CddbErrorLine(CddbErrorCode code) {
    return base::trf(base::ids::kLogError, static_cast<unsigned>(code), CddbErrorText(code));
}

}  // namespace tw::freedb
