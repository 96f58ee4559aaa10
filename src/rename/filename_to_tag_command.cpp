// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/filename_to_tag_command.h"

#include "base/settings_store.h"
#include "rename/symbol_table.h"

namespace tw::rename {

namespace {
constexpr std::string_view kSection = "DlgFilenameToTag";
constexpr std::string_view kWriteV1 = "WriteV1";
constexpr std::string_view kWriteV2 = "WriteV2";
constexpr std::string_view kOverwriteMode = "OverwriteMode";
}  // namespace

FilenameToTagCommand::FilenameToTagCommand(core::FileList& list, base::SettingsStore& store)
    : list_(list), store_(store), masks_(kFilenameToTagMaskSection) {
    writeV1_ = store_.getInt(kSection, kWriteV1, 1) != 0;
    writeV2_ = store_.getInt(kSection, kWriteV2, 1) != 0;
    overwrite_ = store_.getInt(kSection, kOverwriteMode, 0) == 1;
    setEditedSymbolTable(store_, kFilenameToTagTable);
    if (!masks_.load(store_))
        masks_.addDefaults(filenameToTagDefaultMasks());
}

FillOptions FilenameToTagCommand::fillOptions() const {
    return FillOptions{overwrite_, writeV1_, writeV2_, masks_.caseMode()};
}

core::FileList FilenameToTagCommand::preview() {
    masks_.save(store_);
    core::FileList copies;
    list_.copySelected(copies, list_.selectedCount());
    const FillOptions options = fillOptions();
    const SymbolTable table = SymbolTable::load(store_, kFilenameToTagTable);
    for (int i = 0; i < copies.size(); ++i)
        FillTagsFromName(copies.at(i), masks_.currentMask(), options, table);
    return copies;
}

bool FilenameToTagCommand::run() {
    store_.setInt(kSection, kWriteV1, writeV1_ ? 1 : 0);
    store_.setInt(kSection, kWriteV2, writeV2_ ? 1 : 0);
    store_.setInt(kSection, kOverwriteMode, overwrite_ ? 1 : 0);
    masks_.save(store_);
    const FillOptions options = fillOptions();
    const SymbolTable table = SymbolTable::load(store_, kFilenameToTagTable);
    bool anyChanged = false;
    list_.forEachSelected([&](core::AudioFile& file) {
        anyChanged |= FillTagsFromName(file, masks_.currentMask(), options, table);
    });
    return anyChanged;
}

}  // namespace tw::rename
