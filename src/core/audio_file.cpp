// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/audio_file.h"

#include <algorithm>

#include "base/ascii.h"
#include "base/file_ops.h"
#include "base/language.h"
#include "base/string_ids.h"
#include "core/app_options.h"
#include "core/tag_edit.h"

namespace tw::core {

base::Outcome AudioFile::rename(const std::string& newBaseName) {
    const std::string_view extension = keptExtension(fileName);
    std::string newFileName = fileNameFor(newBaseName, extension);
    if (newFileName.empty() || fileName.size() > path.size())
        return base::Failure{path, base::Message(base::ids::kRenameNoName), {}};
    std::string name = newFileName.substr(0, newFileName.size() - extension.size());
    std::string newPath = path.substr(0, path.size() - fileName.size()) + newFileName;
    if (newPath != path) {
        if (const std::error_code error = base::renameNoReplace(path, newPath))
            return base::Failure::ofSystem(path, error);
    }
    path = std::move(newPath);
    fileName = std::move(newFileName);
    baseName = std::move(name);
    return {};
}

std::string AudioFile::fileNameFor(const std::string& newBaseName, std::string_view extension) {
    std::string name = newBaseName;
    // Masks end names in ".mp3" whatever the file; a name may carry the file's own too.
    if (base::endsWithNoCase(name, ".mp3"))
        name.resize(name.size() - 4);
    if (extension != ".mp3" && base::endsWithNoCase(name, extension))
        name.resize(name.size() - extension.size());
    if (name.empty() || name.find('\0') != std::string::npos)
        return {};
    // Masks write sub-folders with a backslash on every platform.
    std::replace(name.begin(), name.end(), '\\', '/');
    return name + std::string(extension);
}

std::string AudioFile::displayName(bool withExtension) const {
    return (withExtension || options().showExtension) ? fileName : baseName;
}

std::int32_t AudioFile::effectiveTrack() const {
    const TagFields& first = options().preferV1Track ? static_cast<const TagFields&>(id3v1)
                                                     : static_cast<const TagFields&>(id3v2);
    const TagFields& second = options().preferV1Track ? static_cast<const TagFields&>(id3v2)
                                                      : static_cast<const TagFields&>(id3v1);
    return first.track >= 1 ? first.track : second.track;
}

void AudioFile::autoFill() {
    if (format != AudioFormat::Mpeg)
        return;  // such a file holds no ID3v1 tag to fill or to fill from
    if (options().autoFillV1)
        fillV1FromV2(*this, false);
    if (options().autoFillV2)
        fillV2FromV1(*this, false);
}

}  // namespace tw::core
