// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDialog>

#include "export/file_name.h"
#include "gui/gui_context.h"

class QPushButton;
class QTabWidget;

namespace tw::gui {

class CPropertyPageExport;
class CPropertyPageExportTemplate;
class ShellPort;
class SymbolTablePage;

// Which export the sheet is for: a fixed layout or a template, of HTML or RTF.
struct ExportSheetKind {
    bool templated = false;
    exports::DocumentKind document = exports::DocumentKind::Html;
};

// The export sheet: the export page (fixed layouts) or the template page, then the "Symbol
// Replacement" page on the table "SymbolReplacement"; each tab with its image. The caption
// says what is exported ("Export as RTF", "Export into HTML using Template", "Export as
// HTML"); the buttons are "&Export" (enabled while the file name holds something) and
// "&Cancel".
//
// The pages show what is stored when the sheet opens; "&Export" stores the column flags or
// the template index and the symbol table, then closes the sheet, which writes nothing
// itself (exportFileList does). Cancel, Escape and the close button store nothing but the
// sheet's place (section "DlgExport").
//
// Borrows the context and the shell port; owns its pages.
class CPropertySheetExport : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kSection = "DlgExport";

    CPropertySheetExport(GuiContext& context, ShellPort& shell, ExportSheetKind kind,
                         QWidget* parent = nullptr);

    ExportSheetKind kind() const { return kind_; }
    QTabWidget& pages() const { return *pages_; }
    // The first page of its kind; null for the other kind.
    CPropertyPageExport* exportPage() const { return exportPage_; }
    CPropertyPageExportTemplate* templatePage() const { return templatePage_; }
    SymbolTablePage& symbolPage() const { return *symbols_; }

    void accept() override;
    void done(int result) override;

private:
    GuiContext& context_;
    ExportSheetKind kind_;
    QTabWidget* pages_;
    CPropertyPageExport* exportPage_ = nullptr;
    CPropertyPageExportTemplate* templatePage_ = nullptr;
    SymbolTablePage* symbols_;
    QPushButton* export_;
};

// The four export commands: the sheet of `kind` over `parent`; on "&Export" the file list is
// written with the choices made (the wait cursor showing), reported when that fails, and
// opened with the desktop's default handler through the context's port.
void exportFileList(GuiContext& context, ShellPort& shell, ExportSheetKind kind, QWidget* parent);

}  // namespace tw::gui
