// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "rename/mask_tokens.h"

namespace tw::rename {

// The outcome of checking a mask against its permissions. When the mask is refused,
// `messageId` is the string id of the message, `argument` the token or character it names,
// and `start`, `length` the bytes of the mask that the editor selects to show the fault.
struct MaskCheck {
    bool valid = true;
    int messageId = 0;
    std::string argument;
    std::size_t start = 0;
    std::size_t length = 0;
};

// Checks, in this order, and stops at the first fault: characters a file name cannot hold;
// "\" where the directory row allows no folders; "..\" anywhere but in a run at the start
// (when up-levels are allowed at all); tokens the directory row forbids in the directory part;
// tokens the file row forbids in the file part. Texts in angle brackets that are no token of
// the table are not checked.
MaskCheck ValidateMask(std::string_view mask, const TokenPermissions& permissions);

// The message of a refused mask in the active language, formatted with its argument; empty
// for a valid mask.
std::string maskCheckMessage(const MaskCheck& check);

}  // namespace tw::rename
