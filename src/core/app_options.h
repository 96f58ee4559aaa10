// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

namespace tw::base {
class SettingsStore;
}

namespace tw::core {

// The program options of settings section "Settings".
//
// One instance lives for the whole process (options()); the application loads it at start,
// the engines read it, the option commands change it, and the application saves it at exit.
// Everything runs on one thread except the CDDB workers, which never read it.
struct AppOptions {
    std::string workFolder;               // "D": the folder the list shows; ends with the separator
    bool zeroYearIsEmpty = true;          // "i2": a year of 0 is shown and written as empty
    bool preferV1Track = true;            // "i5": effectiveTrack prefers the ID3v1 number
    bool autoFillV1 = false;              // "i6": fill empty ID3v1 fields from ID3v2 on reading
    bool autoFillV2 = false;              // "i7": fill empty ID3v2 fields from ID3v1 on reading
    int i8 = 1;                           // "i8": kept and written back; nothing reads it
    bool autosizeColumns = true;          // "l1"
    int w1 = 1;                           // "w1": kept and written back; nothing reads it
    int w2 = 1;                           // "w2": kept and written back; nothing reads it
    bool minimizeToTray = true;           // "w3"
    bool doubleClickOpensFolder = false;  // "w4"
    bool showExtension = false;           // "f4": file names in the list with their extension
    bool allowEditInList = true;          // "AllowEditInList"
    bool mp3FilesOnly = false;            // "Mp3FilesOnly": list no FLAC, Ogg, Opus, MP4 files
    bool includeSubfolders = false;       // "IncludeSubfolders": list the folder's whole tree
    // "ID3v1CodePage": the 8-bit code page of ID3v1 texts, an ICU converter name.
    std::string id3v1CodePage = "windows-1252";

    // Not stored: both tags are always saved.
    static constexpr bool kSaveV1 = true;
    static constexpr bool kSaveV2 = true;

    // Every value above from (into) section "Settings"; missing values give the defaults.
    // A work folder stored with backslashes (settings from another platform) gets the
    // platform separator. "Language" is not among them: only the language choice writes it,
    // so a restart after choosing a language keeps the choice.
    void load(const base::SettingsStore& store);
    void save(base::SettingsStore& store) const;
};

// The process's options.
AppOptions& options();

// Stores `folder` as the work folder: the separator is appended when missing, and an empty
// folder becomes the default work folder (the user's home).
void SetCurrentFolder(AppOptions& opts, std::string folder);

// The work folder used when none is stored: the user's home folder, with the separator.
std::string defaultWorkFolder();

// The folder to open at start for the stored `folder`: the folder itself when it exists,
// else its nearest existing parent; the default work folder when no parent exists or the
// stored folder is not absolute. Always ends with the separator.
std::string existingWorkFolder(const std::string& folder);

}  // namespace tw::core
