// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QWidget>

#include "gui/gui_context.h"
#include "gui/rename/mask_editor_setup.h"
#include "rename/case_conversion.h"

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace tw::rename {
class MaskList;
}

namespace tw::gui {

class MaskLegend;
class ShellPort;

// The "Mask Editor" page of the mask editor: the masks of a list followed by
// "<<< New Mask >>>", the field in which one is edited, its example line, the legend with
// the insert buttons and counter options, and the buttons that save, add, clone, move and
// delete masks.
//
// The page works on its own copy of the masks: load() fills it, apply() hands it back.
// What the program puts into the field is no edit; typing, pasting and the insert buttons
// are, until "Save" or "Clone mask" takes the text. A mask typed in the dialog that is no
// entry of the list arrives in the field as such an edit, so it is neither lost unasked nor
// saved unasked.
//
// Borrows the context (questions and messages, the store for the example line's symbol
// table) and the shell port (the absolute folder's browser); owns its widgets.
class MaskPage : public QWidget {
    Q_OBJECT
public:
    MaskPage(GuiContext& context, ShellPort& shell, const MaskEditorSetup& setup,
             QWidget* parent = nullptr);

    void load(const rename::MaskList& list);
    // The masks (without "<<< New Mask >>>"), the selected one and the counter options.
    void apply(rename::MaskList& list) const;
    // The dialog's default masks, the first selected, and the counter's defaults.
    void restoreDefaults();

    bool legendShown() const;
    void setLegendShown(bool shown);
    // The case the example line is converted to (the "Case Option" page's choice).
    void setCaseMode(rename::CaseMode mode);

    // Whether the field holds an edit that neither "Save" nor "Clone mask" took (an emptied
    // field holds nothing to save).
    bool hasUnsavedEdit() const;

    // "Save" (24729): checks the field's mask; a valid one replaces the selected mask, or
    // joins the list when "<<< New Mask >>>" is selected. A refused one is reported, and its
    // fault is selected in the field, which keeps the focus. False when nothing was saved.
    [[nodiscard]] bool save();
    // "Clone mask" / "Save as a new mask" (24730): the field's text as a new mask before
    // "<<< New Mask >>>", selected; unchecked.
    void cloneMask();
    // "Add mask" (24728): "<<< New Mask >>>" selected, its text selected in the field.
    void addMask();
    // "Delete mask" (24727): the selection moves to the mask that takes its place, or to the
    // one before when the last one went.
    void deleteMask();
    // "Move up" / "Move down" (24725, 24726); the field keeps what it holds.
    void moveUp();
    void moveDown();

private:
    QWidget* makeButtons();
    int placeholderRow() const;
    // The selected mask's row; -1 while "<<< New Mask >>>" or nothing is selected.
    int selectedMask() const;
    void addEntry(const QString& text);
    void swapWithRow(int other);
    void showEntry(int row);
    void insertToken(int buttonId);
    void insertAtStart(const QString& text, int caret);
    // Puts `prefix` in place of the folders the mask begins with (its "..\" run or its
    // absolute folder), the caret after it.
    void replaceFolderPrefix(const QString& prefix);
    void markEdited();
    void selectFault(const std::string& mask, std::size_t start, std::size_t length);
    void updateButtons();
    void updateExample();

    GuiContext& context_;
    ShellPort& shell_;
    const MaskEditorSetup& setup_;
    rename::CaseMode caseMode_ = rename::CaseMode::AsIs;
    bool edited_ = false;
    bool placeholderShown_ = false;  // the field holds the untouched "<<< New Mask >>>"

    QListWidget* masks_;
    QLineEdit* field_;
    QLabel* example_;
    MaskLegend* legend_;
    QPushButton* moveUp_ = nullptr;
    QPushButton* moveDown_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* clone_ = nullptr;
    QPushButton* save_ = nullptr;
    QToolButton* saveMenu_ = nullptr;
    QAction* saveAsNew_ = nullptr;
};

}  // namespace tw::gui
