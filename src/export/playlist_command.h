// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

#include "export/playlist_name.h"
#include "export/playlist_type.h"
#include "rename/mask_list.h"

namespace tw::base {
class SettingsStore;
class UserPort;
}  // namespace tw::base
namespace tw::core {
class FileList;
}

namespace tw::exports {

// What CreatePlaylist did.
struct PlaylistOutcome {
    enum class Result {
        Written,    // the playlist is written; the dialog closes
        Cancelled,  // the user chose not to write (skip, cancel); the dialog stays open
        Failed,     // reported to the user; the dialog stays open
    };
    Result result = Result::Failed;
    std::string path;  // the playlist's full path (the one tried, when not written)
};

// The playlist command without its window: the stored mask list and type, the values of
// the selection, and the writing of the file.
//
// Ownership: refers to the FileList and the SettingsStore, which outlive it; owns its
// MaskList. Nothing of it is written to the store before CreatePlaylist.
class PlaylistCommand {
public:
    // Opening: names the table the mask editor edits, loads the mask list "Templates\PL"
    // (the default masks when it holds none) and the stored type, and takes the values of
    // the selection. `outputDirectory` is the folder the list shows.
    PlaylistCommand(const core::FileList& list, base::SettingsStore& store,
                    std::string outputDirectory);

    rename::MaskList& maskList() { return masks_; }
    const rename::MaskList& maskList() const { return masks_; }
    PlaylistType type() const { return type_; }
    void setType(PlaylistType type) { type_ = type; }
    const std::string& outputDirectory() const { return outputDirectory_; }
    const PlaylistTokenValues& values() const { return values_; }
    bool severalArtists() const { return values_.severalArtists; }

    // Where the current mask puts the playlist (the symbol table read from the store).
    PlaylistLocation location() const;

    // OK: saves the mask list and the type, then writes the playlist of the selected files
    // in list order; with no file selected nothing is written and that is reported. Asks
    // before creating a missing folder and before replacing a file ("&Rename..." asks for
    // another path); the file appears whole or not at all. Failures are reported through
    // the port; success puts "Completed successfully" in the status bar.
    PlaylistOutcome CreatePlaylist(base::UserPort& port);

private:
    const core::FileList& list_;
    base::SettingsStore& store_;
    std::string outputDirectory_;
    rename::MaskList masks_;
    PlaylistType type_;
    PlaylistTokenValues values_;
};

}  // namespace tw::exports
