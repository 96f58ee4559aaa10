// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tw::exports {

// The kind of document an export writes.
enum class DocumentKind { Html, Rtf };

// The path of an export: `folder` and `name` joined by one separator, and the kind's
// extension appended unless the name already ends with it (".html" or ".htm" for HTML,
// ".rtf" for RTF, in any letter case).
std::string exportFilePath(std::string_view folder, std::string_view name, DocumentKind kind);

}  // namespace tw::exports
