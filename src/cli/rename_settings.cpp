// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/rename_settings.h"

#include "base/qt/qsettings_store.h"
#include "rename/symbol_table.h"

namespace tw::cli {

base::MemorySettingsStore renameSettings() {
    const base::QSettingsStore user;
    base::MemorySettingsStore store;
    for (std::string_view key : {rename::kTagToFilenameTable, rename::kFilenameToTagTable}) {
        // Without a stored table every use sees the defaults, here as in the program.
        if (user.hasValue(key, "ItemsCount"))
            rename::SymbolTable::load(user, key).save(store, key);
    }
    return store;
}

}  // namespace tw::cli
