// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

class QDialog;
class QDialogButtonBox;

namespace tw::gui {

// A text of the language's "CommonButtons" section ("&OK", "&Cancel", "&Default").
QString commonButtonText(int id);

// "OK" and "Cancel" (the standard buttons Ok and Cancel with the language's texts) that
// accept and reject `dialog`; a child of the dialog.
QDialogButtonBox* okCancelButtons(QDialog& dialog);

}  // namespace tw::gui
