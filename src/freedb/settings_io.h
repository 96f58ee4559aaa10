// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <filesystem>
#include <vector>

#include "freedb/cddb_reply.h"
#include "freedb/freedb_settings.h"
#include "freedb/local_db_settings.h"

namespace tw::base {
class SettingsStore;
}

namespace tw::freedb {

class IniDocument;

// Everything a job needs to make its stores: the client settings, the local database's
// settings and where the CD-player file is. A plain value, copied into each job.
struct StoreConfig {
    FreeDbSettings freedb;
    LocalDbSettings localDb;
    std::filesystem::path cdPlayerIni;
};

// The connection settings of section "CDDB" of the CD-player file. Missing values keep
// their defaults; a time-out outside 1..999 becomes 30.
void ReadConnectionSettings(const IniDocument& ini, FreeDbSettings& settings);
void WriteConnectionSettings(const FreeDbSettings& settings, IniDocument& ini);

// The values of section "FreeDB" of the settings store (the local database's two values are
// LocalDbSettings').
void ReadStoredSettings(const base::SettingsStore& store, FreeDbSettings& settings);
void WriteStoredSettings(const FreeDbSettings& settings, base::SettingsStore& store);

// All of it, from the CD-player file at `cdPlayerIni` (a missing file gives the defaults)
// and the settings store.
StoreConfig LoadStoreConfig(const base::SettingsStore& store,
                            const std::filesystem::path& cdPlayerIni);
// Writes it back: the "CDDB" section into the CD-player file (under the file's lock, keeping
// every other section) and the rest into the store. False when the file could not be saved.
[[nodiscard]] bool SaveStoreConfig(const StoreConfig& config, base::SettingsStore& store);

// Replaces the stored server list ("NumServers", "Server0"...) in the CD-player file.
[[nodiscard]] bool SaveServerList(const std::filesystem::path& cdPlayerIni,
                                  const std::vector<ServerRecord>& servers);

// The stored proxy password's form: its bytes in hexadecimal followed by a checksum byte, as
// binary structure values are kept in INI files. Decoding a damaged value gives "".
std::string EncodeProxyPassword(std::string_view password);
std::string DecodeProxyPassword(std::string_view stored);

}  // namespace tw::freedb
