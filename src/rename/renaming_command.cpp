// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/renaming_command.h"

#include <algorithm>

#include "base/language.h"
#include "base/settings_store.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "core/effective_value.h"
#include "core/file_list.h"
#include "rename/failed_files_report.h"
#include "rename/mask_expansion.h"
#include "rename/rename_undo.h"
#include "rename/symbol_table.h"
#include "rename/target_folder.h"

namespace tw::rename {

namespace {

constexpr std::string_view kSection = "DlgFilenameRename";
constexpr std::string_view kCreateFolders = "CreateMissingFolders";

constexpr std::string_view kAsidePrefix = ".tunewright-rename-";

// Moves a file out of the way to an unused name beside it, so that the file whose new name
// it holds can take it; it never replaces a file.
bool moveAside(core::AudioFile& file) {
    const std::string folder = file.fileName.substr(0, file.fileName.rfind('/') + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (file.rename(folder + std::string(kAsidePrefix) + std::to_string(attempt) + "-" +
                        file.baseName.substr(folder.size())))
            return true;
    }
    return false;
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

std::vector<Expansion> RenamingCommand::expandAll(const std::vector<int>& chain) const {
    const SymbolTable table = SymbolTable::load(store_, kTagToFilenameTable);
    std::vector<Expansion> expansions;
    expansions.reserve(chain.size());
    int position = 0;
    for (int index : chain)
        expansions.push_back(expand(table, index, ++position));
    return expansions;
}

std::vector<RenameCheck> RenamingCommand::plan(const std::vector<int>& chain,
                                               const std::vector<Expansion>& expansions) const {
    std::vector<const core::AudioFile*> files;
    files.reserve(chain.size());
    for (int index : chain)
        files.push_back(&list_.at(index));
    return planRenames(files, expansions, createFolders_);
}

std::vector<RenamePreviewRow> RenamingCommand::preview() {
    masks_.save(store_);
    const std::vector<int> chain = list_.selectedIndices();
    std::vector<Expansion> expansions = expandAll(chain);
    std::vector<RenameCheck> checks = plan(chain, expansions);
    std::vector<RenamePreviewRow> rows;
    rows.reserve(chain.size());
    for (std::size_t i = 0; i < chain.size(); ++i) {
        std::string after = std::move(expansions[i].name);
        std::replace(after.begin(), after.end(), '\\', '/');
        rows.push_back({list_.at(chain[i]).fileName, std::move(after), std::move(checks[i])});
    }
    return rows;
}

RenameOutcome RenamingCommand::run(base::UserPort& port, const std::string& workFolder) {
    store_.setInt(kSection, kCreateFolders, createFolders_ ? 1 : 0);
    masks_.save(store_);
    const std::vector<int> chain = list_.selectedIndices();
    const std::vector<Expansion> expansions = expandAll(chain);
    const std::vector<RenameCheck> checks = plan(chain, expansions);
    port.startProgress(base::tr(base::ids::kProgressAdvancedRenaming),
                       static_cast<int>(chain.size()));
    RenameOutcome outcome;
    std::vector<std::string> before(chain.size());
    std::vector<base::Message> why(chain.size());
    std::vector<bool> done(chain.size(), false);
    for (std::size_t i = 0; i < chain.size(); ++i) {
        before[i] = list_.at(chain[i]).fileName;
        if (checks[i].status == RenameStatus::Unchanged) {
            done[i] = true;
        } else if (!checks[i].moves()) {
            why[i] = checks[i].reason;
            port.advanceProgress(before[i]);
        }
    }
    for (const RenameStep& step : renameOrder(checks)) {
        const auto place = static_cast<std::size_t>(step.place);
        core::AudioFile& file = list_.at(chain[place]);
        if (step.toTemporary) {
            moveAside(file);
            continue;
        }
        port.advanceProgress(before[place]);
        const std::vector<std::string> madeFolders =
            checks[place].status == RenameStatus::NewFolder
                ? createFolder(targetFolderOf(workFolderOf(file), checks[place].name))
                : std::vector<std::string>{};
        const base::Outcome moved = file.rename(checks[place].name);
        done[place] = moved.ok();
        if (!moved) {
            why[place] = moved.failure().why;
            removeCreatedFolders(madeFolders);
            // A file moved aside goes back, or keeps the name it has now if that fails.
            if (file.fileName != before[place] && !file.rename(before[place]))
                why[place] = base::Message(base::ids::kReasonLeftAs, why[place], file.fileName);
        }
    }
    std::vector<DoneMove> moves;
    for (std::size_t i = 0; i < chain.size(); ++i) {
        if (done[i])
            ++outcome.renamed;
        else
            outcome.failed.push_back({before[i], why[i]});
        if (done[i] && checks[i].moves())
            moves.push_back({checks[i].from, list_.at(chain[i]).path});
    }
    keepRenameUndo(moves);
    port.finishProgress();
    reportFailedFiles(port, workFolder, outcome.failed);
    return outcome;
}

}  // namespace tw::rename
