// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace tw::test {

// The whole content of a file, or "<missing>" when it cannot be opened, so a check of a file
// that was never written fails with a plain message.
std::string fileText(const std::filesystem::path& path);

// Writes `text` as the whole content of a file, making the folders it lies in.
void writeFile(const std::filesystem::path& path, const std::string& text);

}  // namespace tw::test
