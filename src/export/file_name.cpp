// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/file_name.h"

#include "base/ascii.h"

namespace tw::exports {

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
