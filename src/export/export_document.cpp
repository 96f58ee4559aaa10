// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/export_document.h"

#include "base/language.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "export/output_file.h"

namespace tw::exports {

std::optional<std::string> writeDocument(const std::string& path, base::UserPort& port,
                                         const std::function<void(TextSink&)>& write) {
    OutputFile file(path);
    if (file.ok())
        write(file);
    if (const base::Outcome written = file.commit(); !written) {
        port.showMessage(base::UserPort::Severity::Error,
                         base::withReason(base::tr(base::ids::kMsgUnableToCreateFile) + path,
                                          written.failure().why));
        return std::nullopt;
    }
    port.openDocument(path);
    return path;
}

}  // namespace tw::exports
