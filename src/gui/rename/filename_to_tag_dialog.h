// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDialog>

#include "core/file_list.h"
#include "gui/gui_context.h"
#include "rename/filename_to_tag_command.h"

class QCheckBox;
class QRadioButton;
class QTableView;

namespace tw::gui {

class FileListModel;
class MaskSelector;
class ShellPort;

// "Filename > Tags": the mask that reads tag values out of the selected files' names, with
// its editor, the write options ("Replace tag only if tag is blank." or "Replace all
// tags."), the tags to write, and a preview: copies of the selected files filled by the
// mask, shown with the file list's columns (marked as changed where the mask changed them).
// The preview follows every change of the mask, the editor's OK and each click on an option.
//
// OK stores the options and fills the selected records in memory (the tags reach the files
// when the user saves). Cancel, Escape and the window's close button change nothing. The
// window's place is kept in section "DlgFilenameToTag".
//
// Borrows the context and the shell port for its lifetime; owns the command, the preview's
// copies and its widgets.
class DlgFilenameToTag : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kSection = "DlgFilenameToTag";

    DlgFilenameToTag(GuiContext& context, ShellPort& shell, QWidget* parent = nullptr);
    ~DlgFilenameToTag() override;

    // After the window closed: whether OK changed records (the views redraw them).
    bool changedRecords() const { return changed_; }

    MaskSelector& masks() const { return *masks_; }
    // The preview's copies of the selected files, as last filled.
    const core::FileList& previewFiles() const { return copies_; }

    void accept() override;
    void done(int result) override;

private:
    void takeOptions();
    void refreshPreview();

    GuiContext& context_;
    rename::FilenameToTagCommand command_;
    core::FileList copies_;
    MaskSelector* masks_;
    QRadioButton* onlyBlank_;
    QRadioButton* replaceAll_;
    QCheckBox* writeV1_;
    QCheckBox* writeV2_;
    FileListModel* model_;
    QTableView* preview_;
    bool changed_ = false;
};

}  // namespace tw::gui
