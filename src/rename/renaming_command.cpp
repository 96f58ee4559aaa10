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

namespace tw::rename {

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
}

TokenPermissions RenamingCommand::permissions() const {
    return TokenPermissions::forRenaming(severalArtists_);
}

std::string RenamingCommand::expand(const SymbolTable& table, int fileIndex, int position) const {
    return ExpandMask(list_.at(fileIndex), masks_.currentMask(), FilePlace{fileIndex, position},
                      CounterSettings{masks_.counterStart(), masks_.counterLength()},
                      masks_.caseMode(), table);
}

std::vector<RenamePreviewRow> RenamingCommand::preview() {
    masks_.save(store_);
    const SymbolTable table = SymbolTable::load(store_, kTagToFilenameTable);
    std::vector<RenamePreviewRow> rows;
    int position = 0;
    for (int index : list_.selectedIndices())
        rows.push_back({list_.at(index).fileName, expand(table, index, ++position)});
    return rows;
}

RenameOutcome RenamingCommand::run(base::UserPort& port, const std::string& workFolder) {
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
        std::string why;
        if (file.rename(expand(table, index, ++position), &why))
            ++outcome.renamed;
        else
            outcome.failed.push_back({before, why});
    }
    port.finishProgress();
    reportFailedFiles(port, workFolder, outcome.failed);
    return outcome;
}

}  // namespace tw::rename
