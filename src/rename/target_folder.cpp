// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/target_folder.h"

#include <filesystem>
#include <system_error>

#include "core/audio_file.h"

namespace tw::rename {

namespace {

namespace fs = std::filesystem;

std::string withSlash(const fs::path& path) {
    std::string text = path.string();
    if (text.empty() || text.back() != '/')
        text += '/';
    return text;
}

// The path without a trailing separator, so parent_path() climbs one folder.
fs::path folderPath(const std::string& folder) {
    fs::path path(folder);
    return path.has_filename() ? path : path.parent_path();
}

bool isInside(const fs::path& path, const fs::path& root) {
    const fs::path relative = path.lexically_relative(root);
    return !relative.empty() && *relative.begin() != "..";
}

// The leading ".." parts of a name ("." and empty parts do not count and do not end them).
int leadingUpLevels(std::string_view fileName) {
    int count = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = fileName.find('/', start);
        if (end == std::string_view::npos)
            return count;
        const std::string_view part = fileName.substr(start, end - start);
        if (part == "..")
            ++count;
        else if (!part.empty() && part != ".")
            return count;
        start = end + 1;
    }
}

// The nearest folder of `folder` (itself or a parent) that exists, at most up to the top.
fs::path nearestExisting(fs::path folder) {
    std::error_code error;
    while (!fs::exists(fs::symlink_status(folder, error)) && folder.has_relative_path())
        folder = folder.parent_path();
    return folder;
}

}  // namespace

std::string workFolderOf(const core::AudioFile& file) {
    if (file.fileName.size() > file.path.size())
        return {};
    return file.path.substr(0, file.path.size() - file.fileName.size());
}

std::string nameInWorkFolder(std::string_view workFolder, std::string_view fileName) {
    if (!fileName.starts_with('/'))
        return std::string(fileName);
    const fs::path base = folderPath(fs::path(workFolder).lexically_normal().string());
    return fs::path(fileName).lexically_normal().lexically_relative(base).string();
}

TargetFolder targetFolderOf(std::string_view workFolder, std::string_view fileName) {
    // Joined as text: a name that begins with a separator still lies in the work folder.
    const fs::path target = fs::path(std::string(workFolder) + std::string(fileName));
    fs::path root(std::string(workFolder) + "/");
    for (int up = leadingUpLevels(fileName); up > 0; --up)
        root /= "..";
    return {withSlash(target.lexically_normal().parent_path()), withSlash(root.lexically_normal())};
}

bool mayCreateFolder(const TargetFolder& folder) {
    const fs::path path = folderPath(folder.path);
    const fs::path root = folderPath(folder.root);
    if (!isInside(path, root) || path == root)
        return false;
    const fs::path existing = nearestExisting(path);
    std::error_code error;
    if (!isInside(existing, root) && existing != root)
        return false;
    if (!fs::is_directory(existing, error))
        return false;
    // A symbolic link on the way must not lead out of the root.
    const fs::path realExisting = fs::canonical(existing, error);
    if (error)
        return false;
    const fs::path realRoot = fs::canonical(root, error);
    if (error)
        return false;
    return realExisting == realRoot || isInside(realExisting, realRoot);
}

std::vector<std::string> createFolder(const TargetFolder& folder) {
    if (!mayCreateFolder(folder))
        return {};
    const fs::path path = folderPath(folder.path);
    const fs::path existing = nearestExisting(path);
    std::vector<fs::path> missing;
    for (fs::path probe = path; probe != existing; probe = probe.parent_path())
        missing.push_back(probe);
    std::vector<std::string> made;
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        std::error_code error;
        const bool created = fs::create_directory(*it, error);
        if (error) {
            removeCreatedFolders(made);
            return {};
        }
        if (created)  // else someone made it meanwhile: not ours to remove
            made.push_back(it->string());
    }
    return made;
}

void removeCreatedFolders(const std::vector<std::string>& folders) {
    for (auto it = folders.rbegin(); it != folders.rend(); ++it) {
        std::error_code error;
        fs::remove(*it, error);  // removes an empty folder only
    }
}

}  // namespace tw::rename
