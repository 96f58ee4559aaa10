#pragma once

#include <QDialog>

#include "gui/gui_context.h"

namespace tw::gui {

// "Information about Audio File": both tags of one file side by side, the stream facts, and
// stepping through the list. Modal; edits go into the records in memory only.
//
// Borrows context for its lifetime; owns only its widgets.
class FileInfoDialog : public QDialog {
    Q_OBJECT
public:
    // Shows the file at `index` (the last file when the index is past the end).
    FileInfoDialog(GuiContext& context, int index, QWidget* parent = nullptr);
    ~FileInfoDialog() override;

private:
    GuiContext& context_;
};

}  // namespace tw::gui
