// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/app_options.h"

namespace tw::cli {

// Loads the program options from the user's settings store (the one the desktop program
// writes) and activates the user's language for the texts the commands report. The
// command line only reads the settings: nothing it does changes them.
void loadUserSettings(core::AppOptions& options);

}  // namespace tw::cli
