// SPDX-License-Identifier: GPL-2.0-or-later
#include "base/product_version.h"

namespace tw::base {

// TW_PRODUCT_VERSION is defined for this file alone, so that a new version recompiles one
// file rather than everything that includes a header.
std::string_view productVersion() {
    return TW_PRODUCT_VERSION;
}

}  // namespace tw::base
