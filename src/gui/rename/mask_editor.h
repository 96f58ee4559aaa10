// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDialog>

#include "gui/gui_context.h"
#include "gui/rename/mask_editor_setup.h"

class QTabWidget;

namespace tw::rename {
class MaskList;
}

namespace tw::gui {

class CaseOptionPage;
class MaskPage;
class ShellPort;
class SymbolTablePage;

// "Mask Editor - <title>": the pages "Mask Editor" (the masks of a list), "Symbol
// Replacement" (the table the owning dialog named with rename::setEditedSymbolTable) and
// "Case Option", with OK, Cancel and "Default" (the shown page's defaults).
//
// The pages work on copies. OK first asks "Save edited mask?" when the mask field holds an
// edit not saved (Yes saves it, and a mask the check refuses keeps the editor open with its
// fault selected; No drops it; Cancel stays), then hands the masks, the counter options and
// the case mode to the list, writes the symbol table and the legend's state
// ("TemplateEditorMode" at the settings root) to the store. Cancel, Escape and the window's
// close button change nothing. The window's place is kept in the setup's section either way.
//
// Borrows everything it is given; the setup and the list must outlive it. Owns its widgets.
class MaskEditor : public QDialog {
    Q_OBJECT
public:
    MaskEditor(GuiContext& context, ShellPort& shell, rename::MaskList& list,
               const MaskEditorSetup& setup, QWidget* parent = nullptr);

    void accept() override;
    void done(int result) override;

private:
    void restoreDefaults();

    GuiContext& context_;
    rename::MaskList& list_;
    const MaskEditorSetup& setup_;
    QTabWidget* pages_;
    MaskPage* masks_;
    SymbolTablePage* symbols_;
    CaseOptionPage* cases_;
};

}  // namespace tw::gui
