// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "export/file_name.h"

namespace tw::base {
class SettingsStore;
}

namespace tw::exports {

// Where export templates lie and how they are read.
//
// Templates are the files of the folder "templates" in each data folder (app_paths.h): the
// installed ones and the user's own, whose files win over installed ones of the same name.
// HTML templates end with ".html", RTF templates with ".rtf" (in any letter case).

// The names of the templates of a kind, sorted alphabetically without regard to letter case,
// each name once.
std::vector<std::string> templateList(DocumentKind kind);

// The file of a template name from templateList, or an empty path when no data folder has
// one. A name that is not a plain file name (empty, "." or "..", holding "/" or NUL) is
// never looked up.
std::filesystem::path templateFilePath(std::string_view name);

// The whole text of a template file, up to its first NUL byte; nullopt when it cannot be
// read, is not a regular file, or is larger than kMaxTemplateSize. The file is read once,
// straight into the returned string.
[[nodiscard]] std::optional<std::string> readTemplate(const std::filesystem::path& path);

inline constexpr std::uintmax_t kMaxTemplateSize = 1024ull * 1024 * 1024;

// The index of the template chosen last time: "TemplateID2" (HTML) or "TemplateID1" (RTF)
// in section "Export", default 0.
int storedTemplateIndex(const base::SettingsStore& store, DocumentKind kind);
void storeTemplateIndex(base::SettingsStore& store, DocumentKind kind, int index);

// The entry of `list` at `index`; empty when the index is out of range (the sheet then
// shows no template selected and OK takes an empty name).
std::string templateNameAt(const std::vector<std::string>& list, int index);

}  // namespace tw::exports
