// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "export/file_name.h"

namespace tw::base {
class UserPort;
}
namespace tw::core {
class FileList;
}

namespace tw::exports {

class TextSink;
struct TemplateParts;

// The export of the file list through a template of the user's.

// What the template page hands over.
struct TemplateExportRequest {
    std::string templateName;            // as messages name it
    std::filesystem::path templateFile;  // templateFilePath(templateName), or a path given
    std::string folder;                  // where the file goes
    std::string fileName;                // as typed; the extension is added when missing
};

// Writes the head, one filled record block per file of `list` in list order (record 1 and
// record 2 in turn when the template has both) and the tail. Every value is escaped for
// the kind of document (TextEscape::HtmlText or RtfText), so no tag can add markup; the
// template's own text is written as its author wrote it, except that in RTF its characters
// above 127 become "\uN?" (RTF readers take raw bytes in their code page). HTML templates
// keep theirs, so a template's declared character set stays true.
void WriteTemplateList(TextSink& sink, const core::FileList& list, const TemplateParts& parts,
                       DocumentKind kind);

// The commands after their sheet. The template is read once; one that cannot be read
// ("Unable to read content of the specified template file:") or lacks a marker ("Wrong
// format of the specified template file:" with the keyword hint) is reported and nothing
// is written. Otherwise as ExportHtml. The path written, or nullopt.
[[nodiscard]] std::optional<std::string> ExportTemplateHtml(const core::FileList& list,
                                                            const TemplateExportRequest& request,
                                                            base::UserPort& port);
[[nodiscard]] std::optional<std::string> ExportTemplateRtf(const core::FileList& list,
                                                           const TemplateExportRequest& request,
                                                           base::UserPort& port);

}  // namespace tw::exports
