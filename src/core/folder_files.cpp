// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/folder_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/formats/audio_format.h"
#include "core/list_sort.h"

namespace tw::core {

namespace fs = std::filesystem;

std::string normalPath(const std::string& path) {
    if (path.empty())
        return path;
    std::error_code error;
    const fs::path full = fs::absolute(path, error);
    return (error ? fs::path(path) : full).lexically_normal().string();
}

bool audioFilesIn(const std::string& folder, bool mp3Only, std::vector<std::string>& paths) {
    return readFolder(folder, mp3Only, paths, nullptr).ok();
}

base::Outcome readFolder(const std::string& folder, bool mp3Only, std::vector<std::string>& paths,
                         std::vector<std::string>* subFolders) {
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error)
        return base::Failure::ofSystem(folder, error);
    const std::size_t first = paths.size();
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::string name = it->path().filename().string();
        std::error_code typeError;
        if (isListedAudioName(name, mp3Only) && it->is_regular_file(typeError))
            paths.push_back(folder + name);
        else if (subFolders && it->is_directory(typeError))
            subFolders->push_back(std::move(name));
    }
    // Every path starts with the folder: only the names are compared.
    const std::size_t skip = folder.size();
    std::sort(paths.begin() + static_cast<std::ptrdiff_t>(first), paths.end(),
              [skip](const std::string& a, const std::string& b) {
                  return listsBefore(std::string_view(a).substr(skip),
                                     std::string_view(b).substr(skip));
              });
    if (error)
        return base::Failure::ofSystem(folder, error);
    return {};
}

}  // namespace tw::core
