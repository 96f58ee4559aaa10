// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stop_token>
#include <string>

namespace tw::freedb {

struct LocalDbStatistics;
struct LocalDbSettings;

// The texts of the "Database Info" window, shared by the window and the command line.

// A size as "%u bytes" below 1 KiB, else with its kilobytes or megabytes and the bytes.
std::string FormatDatabaseSize(std::uint64_t bytes);

// The CD-player tab: the file's location, size, the largest size a CD player accepts, and
// the number of albums in it.
std::string FormatCdPlayerIniInfo(const std::filesystem::path& path, std::uint64_t fileSize,
                                  std::uint64_t maximalFileSize, std::uint32_t tracklists);

// The local database tab: albums per category and the sizes.
std::string FormatLocalDbStatistics(const LocalDbStatistics& stats);

// The CD-player tab of the file at `path`; nullopt when the file cannot be read.
std::optional<std::string> CdPlayerIniInfoText(const std::filesystem::path& path);
// The local database tab; nullopt when the database cannot be examined or `stop` came.
std::optional<std::string> LocalDbInfoText(const LocalDbSettings& settings, std::stop_token stop);

}  // namespace tw::freedb
