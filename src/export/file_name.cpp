// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/file_name.h"

#include "base/ascii.h"
#include "core/audio_file.h"

namespace tw::exports {

std::string_view bareFileName(const core::AudioFile& file) {
    const std::string_view name = file.fileName;
    const std::size_t slash = name.rfind('/');
    return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

std::string exportFilePath(std::string_view folder, std::string_view name, DocumentKind kind) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += name;
    if (kind == DocumentKind::Html) {
        if (!base::endsWithNoCase(path, ".html") && !base::endsWithNoCase(path, ".htm"))
            path += ".html";
    } else if (!base::endsWithNoCase(path, ".rtf")) {
        path += ".rtf";
    }
    return path;
}

}  // namespace tw::exports
