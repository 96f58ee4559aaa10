// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

#include "base/result.h"

namespace tw::test {

// Why an operation failed, "" when it succeeded: compared with a text, a failure shows its
// reason in the test's message.
inline std::string whyNot(const base::Outcome& outcome) {
    return outcome ? std::string() : base::worded(outcome.failure().why);
}

}  // namespace tw::test
