// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/relative_folder.h"

#include "core/audio_file.h"

namespace tw::core {

std::string_view relativeName(const AudioFile& file, std::string_view workFolder) {
    const std::string_view path = file.path;
    if (!path.starts_with(workFolder) || path.size() < workFolder.size() + file.fileName.size())
        return file.fileName;
    return path.substr(workFolder.size());
}

std::string_view relativeFolder(const AudioFile& file, std::string_view workFolder) {
    const std::string_view name = relativeName(file, workFolder);
    const std::size_t folderLength = name.size() - file.fileName.size();
    // The separator before the file name is not part of the folder.
    return name.substr(0, folderLength == 0 ? 0 : folderLength - 1);
}

}  // namespace tw::core
