// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <filesystem>
#include <vector>

namespace tw::freedb {

// The sub-folders of `folder` (the category folders of a database root), sorted by name;
// empty when the folder cannot be listed.
std::vector<std::filesystem::path> SubFolders(const std::filesystem::path& folder);

// The regular files of `folder` whose names have no dot (album files and range files; the
// temporary files of a replacement always have one), sorted by name.
std::vector<std::filesystem::path> FilesWithoutExtension(const std::filesystem::path& folder);

// The regular files of `folder`, sorted by name.
std::vector<std::filesystem::path> RegularFiles(const std::filesystem::path& folder);

}  // namespace tw::freedb
