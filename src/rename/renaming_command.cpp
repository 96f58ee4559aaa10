// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/renaming_command.h"

#include "base/language.h"
#include "base/settings_store.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "core/effective_value.h"
#include "core/file_list.h"
#include "rename/failed_files_report.h"
#include "rename/mask_expansion.h"
#include "rename/symbol_table.h"
#include "rename/target_folder.h"

namespace tw::rename {

namespace {

constexpr std::string_view kSection = "DlgFilenameRename";
constexpr std::string_view kCreateFolders = "CreateMissingFolders";

// Makes the missing folder of a file's new name when that may be done; the folders made.
std::vector<std::string> makeFolderFor(const core::AudioFile& file, const Expansion& expansion) {
    const std::string fileName = core::AudioFile::fileNameFor(expansion.name);
    const std::string workFolder = workFolderOf(file);
    if (fileName.empty() || workFolder.empty())
        return {};
    return createFolder(targetFolderOf(workFolder, fileName));
}

}  // namespace

bool hasSeveralArtists(const core::FileList& list) {
    std::string first;
    for (int index : list.selectedIndices()) {
        const std::string artist =
            core::EffectiveValue(list.at(index), core::EffectiveField::Artist);
        if (artist.empty())
            continue;
        if (first.empty())
            first = artist;
        else if (artist != first)
            return true;
    }
    return false;
}

RenamingCommand::RenamingCommand(core::FileList& list, base::SettingsStore& store)
    : list_(list), store_(store), masks_(kRenamingMaskSection) {
    setEditedSymbolTable(store_, kTagToFilenameTable);
    if (!masks_.load(store_))
        masks_.addDefaults(renamingDefaultMasks());
    severalArtists_ = hasSeveralArtists(list_);
    createFolders_ = store_.getInt(kSection, kCreateFolders, 0) != 0;
}

TokenPermissions RenamingCommand::permissions() const {
    return TokenPermissions::forRenaming(severalArtists_);
}

Expansion RenamingCommand::expand(const SymbolTable& table, int fileIndex, int position) const {
    return expandMaskChecked(
        list_.at(fileIndex), masks_.currentMask(), FilePlace{fileIndex, position},
        CounterSettings{masks_.counterStart(), masks_.counterLength()}, masks_.caseMode(), table);
}

std::vector<RenamePreviewRow> RenamingCommand::preview() {
    masks_.save(store_);
    const SymbolTable table = SymbolTable::load(store_, kTagToFilenameTable);
    RenamePlanner planner(createFolders_);
    std::vector<RenamePreviewRow> rows;
    int position = 0;
    for (int index : list_.selectedIndices()) {
        const core::AudioFile& file = list_.at(index);
        Expansion expansion = expand(table, index, ++position);
        RenameCheck check = planner.next(file, expansion);
        rows.push_back({file.fileName, std::move(expansion.name), std::move(check)});
    }
    return rows;
}

RenameOutcome RenamingCommand::run(base::UserPort& port, const std::string& workFolder) {
    store_.setInt(kSection, kCreateFolders, createFolders_ ? 1 : 0);
    masks_.save(store_);
    const SymbolTable table = SymbolTable::load(store_, kTagToFilenameTable);
    const std::vector<int> chain = list_.selectedIndices();
    port.startProgress(base::tr(base::ids::kProgressAdvancedRenaming),
                       static_cast<int>(chain.size()));
    RenameOutcome outcome;
    int position = 0;
    for (int index : chain) {
        core::AudioFile& file = list_.at(index);
        port.advanceProgress(file.fileName);
        const std::string before = file.fileName;
        const Expansion expansion = expand(table, index, ++position);
        const std::vector<std::string> madeFolders =
            createFolders_ ? makeFolderFor(file, expansion) : std::vector<std::string>{};
        std::string why;
        if (file.rename(expansion.name, &why)) {
            ++outcome.renamed;
        } else {
            removeCreatedFolders(madeFolders);
            // A refused name says why more precisely than the rename of an empty one.
            if (expansion.refusal != NameRefusal::None)
                why = refusalReason(expansion.refusal);
            outcome.failed.push_back({before, why});
        }
    }
    port.finishProgress();
    reportFailedFiles(port, workFolder, outcome.failed);
    return outcome;
}

}  // namespace tw::rename
