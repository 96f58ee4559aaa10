#include "core/audio_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "base/ascii.h"
#include "core/app_options.h"
#include "core/tag_edit.h"

namespace tw::core {

namespace {

constexpr std::string_view kExtension = ".mp3";

// Moves `from` to `to` unless `to` exists; never replaces a file.
bool moveWithoutReplacing(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without the no-replace flag: link() refuses an existing target, too.
    if (::link(from.c_str(), to.c_str()) != 0)
        return false;
    if (::unlink(from.c_str()) == 0)
        return true;
    ::unlink(to.c_str());
    return false;
}

}  // namespace

bool AudioFile::rename(const std::string& newBaseName) {
    std::string name = newBaseName;
    if (base::endsWithNoCase(name, kExtension))
        name.resize(name.size() - kExtension.size());
    if (name.empty() || name.find('\0') != std::string::npos)
        return false;
    if (fileName.size() > path.size())
        return false;
    // Masks write sub-folders with a backslash on every platform.
    std::replace(name.begin(), name.end(), '\\', '/');

    std::string newFileName = name + std::string(kExtension);
    std::string newPath = path.substr(0, path.size() - fileName.size()) + newFileName;
    if (newPath != path && !moveWithoutReplacing(path, newPath))
        return false;
    path = std::move(newPath);
    fileName = std::move(newFileName);
    baseName = std::move(name);
    return true;
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
    if (options().autoFillV1)
        fillV1FromV2(*this, false);
    if (options().autoFillV2)
        fillV2FromV1(*this, false);
}

}  // namespace tw::core
