#pragma once

#include "core/app_options.h"

namespace tw::cli {

// Loads the program options from the user's settings store, the one the desktop program
// writes. The command line only reads them: nothing it does changes the stored settings.
void loadUserOptions(core::AppOptions& options);

}  // namespace tw::cli
