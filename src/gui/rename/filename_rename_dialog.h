// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDialog>

#include "gui/gui_context.h"
#include "rename/renaming_command.h"

class QCheckBox;
class QTreeWidget;

namespace tw::gui {

class MaskSelector;
class ShellPort;

// "Advanced Filenames renaming": the renaming mask of the selected files with its editor,
// "Create missing folders", and a preview of every selected file: its name now, the name
// the mask gives, the folder it goes to and, where the rename would not simply happen, why
// ("unchanged", "into a new folder", or the reason it will fail). The preview follows every
// change of the mask, the editor's OK and a click on the folder switch.
//
// "Rename" runs the renaming command (progress, then the list of the files that failed),
// asking first when the preview foresees files that cannot be renamed. Cancel, Escape and
// the window's close button rename nothing. The window's place is kept in section
// "DlgFilenameRename".
//
// Borrows the context and the shell port for its lifetime; owns the command and its widgets.
class DlgFilenameRename : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kSection = "DlgFilenameRename";

    DlgFilenameRename(GuiContext& context, ShellPort& shell, QWidget* parent = nullptr);

    // After the window closed: whether the run changed records (the views redraw them).
    bool changedRecords() const { return changed_; }

    MaskSelector& masks() const { return *masks_; }
    QTreeWidget& preview() const { return *preview_; }

    void accept() override;
    void done(int result) override;

private:
    void refreshPreview();
    void showRows(const std::vector<rename::RenamePreviewRow>& rows);

    GuiContext& context_;
    rename::RenamingCommand command_;
    MaskSelector* masks_;
    QCheckBox* createFolders_;
    QTreeWidget* preview_;
    bool changed_ = false;
};

}  // namespace tw::gui
