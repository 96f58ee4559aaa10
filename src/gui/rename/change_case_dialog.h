// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDialog>

#include "gui/gui_context.h"
#include "rename/change_case_command.h"

class QButtonGroup;
class QTreeWidget;

namespace tw::gui {

// "Change case in the "<field>" field": the values of one field (or the file names) of the
// selected files, the five case choices ("Select Appropriate Case:", preselected from the
// last one used), and the values as the choice converts them, refreshed on every click.
//
// OK recases the field in the tags that hold it (in memory; the tags reach the files when
// the user saves), or renames the files whose names change. Cancel, Escape and the window's
// close button change nothing. The window's place is kept in section "DlgChangeCase".
//
// Borrows the context for its lifetime; owns the command and its widgets.
class DlgChangeCase : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kSection = "DlgChangeCase";

    DlgChangeCase(GuiContext& context, rename::ChangeCaseTarget target, QWidget* parent = nullptr);

    // After the window closed: whether OK changed records (the views redraw them).
    bool changedRecords() const { return changed_; }

    QTreeWidget& beforeList() const { return *before_; }
    QTreeWidget& afterList() const { return *after_; }

    void accept() override;
    void done(int result) override;

private:
    void showRows();

    GuiContext& context_;
    rename::ChangeCaseCommand command_;
    QTreeWidget* before_;
    QTreeWidget* after_;
    QButtonGroup* modes_;
    bool changed_ = false;
};

}  // namespace tw::gui
