// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "export/file_name.h"

namespace tw::base {
class UserPort;
}
namespace tw::core {
class FileList;
}

namespace tw::exports {

class TextSink;

// The export of the whole file list as an HTML table or as RTF lines of tab-separated
// values, with the columns the user checked.

// What the export sheet hands over.
struct ListExportRequest {
    std::string folder;        // where the file goes
    std::string fileName;      // as typed; the extension is added when missing
    std::vector<int> columns;  // export column indices, ascending (ExportColumnFlags::columns)
};

// The two layouts, written to any sink: every file of `list` in list order, one row each,
// with the given columns (Picture and indices out of range are skipped).
void WriteHtmlList(TextSink& sink, const core::FileList& list, const std::vector<int>& columns);
void WriteRtfList(TextSink& sink, const core::FileList& list, const std::vector<int>& columns);

// The commands after their sheet: write the file in one go (replacing any file of that
// name once the new one is complete), then open it with the desktop's default handler
// through the port. A file that cannot be written is reported ("Unable to create specified
// file:" and the path) and nothing is left behind. The path written, or nullopt.
[[nodiscard]] std::optional<std::string> ExportHtml(const core::FileList& list,
                                                    const ListExportRequest& request,
                                                    base::UserPort& port);
[[nodiscard]] std::optional<std::string> ExportRtf(const core::FileList& list,
                                                   const ListExportRequest& request,
                                                   base::UserPort& port);

}  // namespace tw::exports
