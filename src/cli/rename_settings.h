// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "base/memory_settings_store.h"

namespace tw::cli {

// The settings store of one run of a renaming command: the user's symbol tables copied from
// their settings, so their own replacement rules apply, in a store held in memory, so the
// command's own writes (mask lists, switches) never reach the user's settings.
base::MemorySettingsStore renameSettings();

}  // namespace tw::cli
