// SPDX-License-Identifier: GPL-2.0-or-later
// ValidateMask over any mask with each permission set: a refusal always names a range
// inside the mask.

#include <cstdlib>
#include <string_view>

#include "rename/mask_validation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tw::rename;
    if (size == 0)
        return 0;
    const std::string_view mask(reinterpret_cast<const char*>(data + 1), size - 1);
    const TokenPermissions choices[] = {
        TokenPermissions::forRenaming(false), TokenPermissions::forRenaming(true),
        TokenPermissions::forFilenameToTag(), TokenPermissions::forPlaylist(false),
        TokenPermissions::forPlaylist(true)};
    const MaskCheck check = ValidateMask(mask, choices[data[0] % 5]);
    if (!check.valid && (check.length == 0 || check.start + check.length > mask.size() ||
                         mask.substr(check.start, check.length).find(check.argument) != 0 ||
                         maskCheckMessage(check).empty()))
        std::abort();
    return 0;
}
