// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QTimer>
#include <QWidget>

#include "gui/gui_context.h"
#include "gui/rename/mask_editor_setup.h"

class QComboBox;
class QToolButton;

namespace tw::rename {
class MaskList;
}

namespace tw::gui {

class ShellPort;

// The mask field of a mask-driven dialog: the editable drop-down list of its MaskList and
// the button beside it that opens the MaskEditor on the list.
//
// The field tells its dialog when the user changed the mask (maskChanged), after the list's
// current mask has taken the new text: a pick from the drop-down list and Return at once
// (Return goes no further, so it never presses the dialog's OK), typing and pasting once
// ~300 ms passed without another key, and the editor's OK after the list was rebuilt from
// it. What the program puts into the field, and the drop-down list's habit of "activating"
// an entry whose text it holds when it loses the focus, change nothing.
//
// Borrows the context, the shell port and the list, which outlive it; keeps its own copy of
// the setup. Owns its widgets.
class MaskSelector : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSettleMs = 300;

    MaskSelector(GuiContext& context, ShellPort& shell, rename::MaskList& list,
                 MaskEditorSetup setup, QWidget* parent = nullptr);

    QComboBox& field() const { return *field_; }
    QToolButton& editorButton() const { return *editorButton_; }

    // Takes a text still settling into the list at once (before the dialog's OK).
    void commit();
    // The editor button: the MaskEditor on the list; on OK the drop-down list is rebuilt.
    void openEditor();
    // The extension that ends the editor's example line, for dialogs whose choices change it.
    void setExtension(std::string extension) { setup_.extension = std::move(extension); }

Q_SIGNALS:
    void maskChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Fills the drop-down list and the field from the list.
    void showList();
    // The field's text into the list; true when that changed the list's current mask.
    bool takeText();

    GuiContext& context_;
    ShellPort& shell_;
    rename::MaskList& list_;
    MaskEditorSetup setup_;
    QComboBox* field_;
    QToolButton* editorButton_;
    QTimer settle_;
};

}  // namespace tw::gui
