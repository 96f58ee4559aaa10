// Placeholder until the real window lands: it keeps the interface buildable for the shell.
#include "gui/views/file_info_dialog.h"

#include "core/file_list.h"

namespace tw::gui {

FileInfoDialog::FileInfoDialog(GuiContext& context, int index, QWidget* parent)
    : QDialog(parent), context_(context) {
    (void)context_.list.size();
    (void)index;
}

FileInfoDialog::~FileInfoDialog() = default;

}  // namespace tw::gui
