// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/database_folders.h"

#include <algorithm>

namespace tw::freedb {

namespace fs = std::filesystem;

namespace {

template <typename Keep>
std::vector<fs::path> listSorted(const fs::path& folder, Keep keep) {
    std::vector<fs::path> found;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        if (keep(*it, typeError))
            found.push_back(it->path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace

std::vector<fs::path> SubFolders(const fs::path& folder) {
    return listSorted(folder, [](const fs::directory_entry& entry, std::error_code& error) {
        return entry.is_directory(error);
    });
}

std::vector<fs::path> RegularFiles(const fs::path& folder) {
    return listSorted(folder, [](const fs::directory_entry& entry, std::error_code& error) {
        return entry.is_regular_file(error);
    });
}

std::vector<fs::path> FilesWithoutExtension(const fs::path& folder) {
    return listSorted(folder, [](const fs::directory_entry& entry, std::error_code& error) {
        return entry.is_regular_file(error) &&
               entry.path().filename().string().find('.') == std::string::npos;
    });
}

}  // namespace tw::freedb
