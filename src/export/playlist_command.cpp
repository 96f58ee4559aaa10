// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/playlist_command.h"

#include <unistd.h>

#include "base/language.h"
#include "base/settings_store.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "core/file_list.h"
#include "export/output_directory.h"
#include "export/output_file.h"
#include "export/playlist_entries.h"
#include "rename/symbol_table.h"

namespace tw::exports {

namespace {

namespace ids = base::ids;
using Result = PlaylistOutcome::Result;
using Choice = base::UserPort::OverwriteChoice;

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

void reportError(base::UserPort& port, const std::string& text) {
    port.showMessage(base::UserPort::Severity::Error, text);
}

}  // namespace

PlaylistCommand::PlaylistCommand(const core::FileList& list, base::SettingsStore& store,
                                 std::string outputDirectory)
    : list_(list),
      store_(store),
      outputDirectory_(std::move(outputDirectory)),
      masks_(rename::kPlaylistMaskSection),
      type_(loadPlaylistType(store)),
      values_(playlistTokenValues(list)) {
    rename::setEditedSymbolTable(store_, rename::kTagToFilenameTable);
    if (!masks_.load(store_))
        masks_.addDefaults(rename::playlistDefaultMasks());
}

PlaylistLocation PlaylistCommand::location() const {
    const std::string& mask = masks_.currentMask();
    return PlaylistPath(
        outputDirectory_, ExpandPlaylistName(mask, values_, type_), maskUpLevels(mask),
        rename::SymbolTable::load(store_, rename::kTagToFilenameTable), masks_.caseMode());
}

PlaylistOutcome PlaylistCommand::CreatePlaylist(base::UserPort& port) {
    masks_.save(store_);
    savePlaylistType(store_, type_);

    const PlaylistLocation where = location();
    PlaylistOutcome outcome{Result::Failed, where.path};
    const std::vector<int> selected = list_.selectedIndices();
    // A playlist of no files plays nothing, and would replace a good one of that name.
    if (selected.empty()) {
        reportError(port, base::trf(ids::kMsgPlaylistWithoutFiles, outcome.path));
        return outcome;
    }
    if (!where.safe) {
        reportError(port, base::trf(ids::kMsgUnableToCreatePlaylist, outcome.path));
        return outcome;
    }
    // A folder that stays missing makes the creation below fail and report.
    (void)EnsureDirectory(folderOf(outcome.path), true, port);

    if (fileExistsForWriting(outcome.path)) {
        switch (port.askOverwrite(base::trf(ids::kMsgFileAlreadyExists, outcome.path))) {
            case Choice::Overwrite:
            case Choice::OverwriteAll:
                // The file is replaced only once the new one is complete; what would stop
                // that is a folder the user may not change.
                if (::access(folderOf(outcome.path).c_str(), W_OK | X_OK) != 0)
                    reportError(port, base::trf(ids::kMsgUnableToOverwrite, outcome.path));
                break;
            case Choice::Rename: {
                std::optional<std::string> other = port.askSavePath(
                    outcome.path, playlistFilter(type_), playlistDefaultExtension(type_));
                if (!other)
                    return {Result::Cancelled, outcome.path};
                outcome.path = std::move(*other);
                break;
            }
            case Choice::Skip:
            case Choice::SkipAll:
            case Choice::Cancel:
                return {Result::Cancelled, outcome.path};
        }
    }

    OutputFile file(outcome.path);
    WritePlaylistHead(file, type_, static_cast<int>(selected.size()));
    int number = 0;
    for (int index : selected)
        WritePlaylistEntry(file, list_.at(index), type_, outcome.path, ++number);
    if (const base::Outcome written = file.commit(); !written) {
        reportError(port, base::withReason(base::trf(ids::kMsgUnableToCreatePlaylist, outcome.path),
                                           written.failure().why));
        return outcome;
    }
    port.showStatus(base::tr(ids::kStatusCompletedSuccessfully));
    outcome.result = Result::Written;
    return outcome;
}

}  // namespace tw::exports
