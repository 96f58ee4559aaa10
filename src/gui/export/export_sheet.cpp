// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/export/export_sheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/string_ids.h"
#include "core/app_options.h"
#include "export/list_export.h"
#include "export/template_export.h"
#include "gui/actions/command_icons.h"
#include "gui/common/dialog_buttons.h"
#include "gui/common/wait_cursor.h"
#include "gui/common/window_placement.h"
#include "gui/export/export_page.h"
#include "gui/export/export_target.h"
#include "gui/export/export_template_page.h"
#include "gui/qt_text.h"
#include "gui/rename/symbol_table_page.h"
#include "rename/symbol_table.h"

namespace tw::gui {

namespace ids = base::ids;
using exports::DocumentKind;

namespace {

constexpr int kTabImageSize = 18;

int captionOf(ExportSheetKind kind) {
    if (kind.document == DocumentKind::Rtf)
        return ids::kExportCaptionRtf;
    return kind.templated ? ids::kExportCaptionTemplateHtml : ids::kExportCaptionHtml;
}

QIcon symbolImage(const QStyle& style) {
    return QIcon::fromTheme(QStringLiteral("accessories-character-map"),
                            style.standardIcon(QStyle::SP_FileDialogContentsView));
}

}  // namespace

CPropertySheetExport::CPropertySheetExport(GuiContext& context, ShellPort& shell,
                                           ExportSheetKind kind, QWidget* parent)
    : QDialog(parent),
      context_(context),
      kind_(kind),
      pages_(new QTabWidget(this)),
      symbols_(new SymbolTablePage(context.port, this)) {
    setWindowTitle(text(captionOf(kind)));
    pages_->setIconSize(QSize(kTabImageSize, kTabImageSize));
    const bool html = kind.document == DocumentKind::Html;
    const QIcon kindImage = commandIcon(html ? ids::kCmdExportHtml : ids::kCmdExportRtf, *style());
    const std::string& folder = context.options.workFolder;
    ExportTarget* target = nullptr;
    if (kind.templated) {
        templatePage_ = new CPropertyPageExportTemplate(shell, kind.document, this);
        templatePage_->load(context.settings, folder);
        pages_->addTab(templatePage_, kindImage, text(ids::kExportPageTemplate));
        target = &templatePage_->target();
    } else {
        exportPage_ = new CPropertyPageExport(shell, this);
        exportPage_->load(context.settings, folder);
        pages_->addTab(exportPage_, kindImage,
                       text(html ? ids::kExportPageHtml : ids::kExportPageRtf));
        target = &exportPage_->target();
    }
    symbols_->load(context.settings, rename::kExportTable);
    pages_->addTab(symbols_, symbolImage(*style()), text(ids::kSymbolReplacementPage));

    const DialogButtons buttons = addOkCancel(*this, ids::kExportOk);
    export_ = buttons.ok;
    export_->setObjectName(QStringLiteral("export"));
    export_->setEnabled(target->isComplete());
    connect(target, &ExportTarget::completeChanged, export_, &QPushButton::setEnabled);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_, 1);
    layout->addWidget(buttons.box);
    resize(480, sizeHint().height());  // room for a folder path
    restoreDialogPlacement(*this, context_.settings, kSection);
}

void CPropertySheetExport::accept() {
    if (!export_->isEnabled())
        return;
    if (exportPage_)
        exportPage_->apply(context_.settings);
    if (templatePage_)
        templatePage_->apply(context_.settings);
    symbols_->apply(context_.settings);
    QDialog::accept();
}

void CPropertySheetExport::done(int result) {
    saveDialogPlacement(*this, context_.settings, kSection);
    QDialog::done(result);
}

void exportFileList(GuiContext& context, ShellPort& shell, ExportSheetKind kind, QWidget* parent) {
    CPropertySheetExport sheet(context, shell, kind, parent);
    if (sheet.exec() != QDialog::Accepted)
        return;
    const WaitCursor wait;
    const bool html = kind.document == DocumentKind::Html;
    // Each export tells its failure through the port, and opens what it wrote.
    if (sheet.templatePage()) {
        const exports::TemplateExportRequest request = sheet.templatePage()->request();
        if (html)
            (void)exports::ExportTemplateHtml(context.list, request, context.port);
        else
            (void)exports::ExportTemplateRtf(context.list, request, context.port);
        return;
    }
    const exports::ListExportRequest request = sheet.exportPage()->request();
    if (html)
        (void)exports::ExportHtml(context.list, request, context.port);
    else
        (void)exports::ExportRtf(context.list, request, context.port);
}

}  // namespace tw::gui
