// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/template_export.h"

#include "base/language.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "core/file_list.h"
#include "export/export_document.h"
#include "export/template_files.h"
#include "export/template_parts.h"
#include "export/template_tokens.h"
#include "export/text_sink.h"

namespace tw::exports {

namespace {

namespace ids = base::ids;

std::optional<std::string> exportTemplate(const core::FileList& list,
                                          const TemplateExportRequest& request, DocumentKind kind,
                                          base::UserPort& port) {
    const std::optional<std::string> text = readTemplate(request.templateFile);
    if (!text) {
        port.showMessage(base::UserPort::Severity::Error,
                         base::tr(ids::kMsgUnableToReadTemplate) + request.templateName);
        return std::nullopt;
    }
    const std::optional<TemplateParts> parts = SplitTemplate(*text);
    if (!parts) {
        port.showMessage(base::UserPort::Severity::Error,
                         base::tr(ids::kMsgWrongTemplateFormat) + request.templateName +
                             base::tr(ids::kMsgTemplateKeywordHint));
        return std::nullopt;
    }
    const std::string path = exportFilePath(request.folder, request.fileName, kind);
    return writeDocument(path, port,
                         [&](TextSink& sink) { WriteTemplateList(sink, list, *parts, kind); });
}

}  // namespace

void WriteTemplateList(TextSink& sink, const core::FileList& list, const TemplateParts& parts,
                       DocumentKind kind) {
    // The values are escaped as they go in; the template's own text is markup and stays as
    // it is, but for RTF its characters above 127 (escaped values are ASCII by then).
    const bool html = kind == DocumentKind::Html;
    const TextEscape values = html ? TextEscape::HtmlText : TextEscape::RtfText;
    const TextEscape own = html ? TextEscape::None : TextEscape::RtfMarkup;
    sink.writeEscaped(parts.head, own);
    for (int count = 0; count < list.size(); ++count)
        sink.writeEscaped(FillTemplateRecord(parts.recordFor(count), list.at(count), values), own);
    sink.writeEscaped(parts.tail, own);
}

std::optional<std::string> ExportTemplateHtml(const core::FileList& list,
                                              const TemplateExportRequest& request,
                                              base::UserPort& port) {
    return exportTemplate(list, request, DocumentKind::Html, port);
}

std::optional<std::string> ExportTemplateRtf(const core::FileList& list,
                                             const TemplateExportRequest& request,
                                             base::UserPort& port) {
    return exportTemplate(list, request, DocumentKind::Rtf, port);
}

}  // namespace tw::exports
