#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace tw::freedb {

struct LocalDbStatistics;

// The texts of the "Database Info" window, shared by the window and the command line.

// A size as "%u bytes" below 1 KiB, else with its kilobytes or megabytes and the bytes.
std::string FormatDatabaseSize(std::uint64_t bytes);

// The CD-player tab: the file's location, size, the largest size a CD player accepts, and
// the number of albums in it.
std::string FormatCdPlayerIniInfo(const std::filesystem::path& path, std::uint64_t fileSize,
                                  std::uint64_t maximalFileSize, std::uint32_t tracklists);

// The local database tab: albums per category and the sizes.
std::string FormatLocalDbStatistics(const LocalDbStatistics& stats);

}  // namespace tw::freedb
