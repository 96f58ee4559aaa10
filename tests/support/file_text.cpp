// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/file_text.h"

#include <fstream>
#include <sstream>

namespace tw::test {

std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "<missing>";
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace tw::test
