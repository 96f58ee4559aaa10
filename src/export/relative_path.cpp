// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/relative_path.h"

#include "core/audio_file.h"

namespace tw::exports {

namespace {

std::string_view folderOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
}

std::string_view nameOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::size_t CommonPrefixLength(std::string_view first, std::string_view second) {
    std::string a(first);
    std::string b(second);
    a += '/';
    b += '/';
    std::string_view restA = a;
    std::string_view restB = b;
    std::size_t length = 0;
    for (;;) {
        const std::size_t slashA = restA.find('/');
        const std::size_t slashB = restB.find('/');
        if (slashA == std::string_view::npos || slashB == std::string_view::npos ||
            restA.substr(0, slashA) != restB.substr(0, slashB))
            return length;
        length += slashA + 1;
        restA.remove_prefix(slashA + 1);
        restB.remove_prefix(slashB + 1);
    }
}

std::string MakeRelativePath(const core::AudioFile& file, std::string_view playlistPath) {
    const std::string_view fileFolder = folderOf(file.path);
    const std::string_view playlistFolder = folderOf(playlistPath);
    const std::size_t common = CommonPrefixLength(fileFolder, playlistFolder);
    const bool onlyRoot = common == 1 && file.path.starts_with('/');
    if (common == 0 || onlyRoot)
        return file.path;

    std::string_view fileRest = fileFolder.substr(std::min(common, fileFolder.size()));
    std::string_view playlistRest = playlistFolder.substr(std::min(common, playlistFolder.size()));
    std::string result(fileRest);
    if (!fileRest.empty())
        result += '/';
    result += nameOf(file.path);

    std::string ups;
    while (!playlistRest.empty()) {
        ups += "../";
        const std::size_t slash = playlistRest.rfind('/');
        if (slash == std::string_view::npos)
            break;
        playlistRest = playlistRest.substr(0, slash);
    }
    return ups + result;
}

}  // namespace tw::exports
