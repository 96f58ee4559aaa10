#include "cli/user_settings.h"

#include "base/memory_settings_store.h"

namespace tw::cli {

void loadUserOptions(core::AppOptions& options) {
    const base::MemorySettingsStore store;
    options.load(store);
}

}  // namespace tw::cli
