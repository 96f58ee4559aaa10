// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

class QButtonGroup;
class QDialog;
class QDialogButtonBox;
class QGroupBox;
class QPushButton;
class QString;
class QWidget;

#include <span>

namespace tw::gui {

// A text of the language's "CommonButtons" section ("&OK", "&Cancel", "&Default").
QString commonButtonText(int id);

// The OK and Cancel buttons of a dialog in the interface language, wired to the dialog's
// accept() and reject(); `okTextId` gives OK another text ("&Rename"). The box is a child
// of the dialog, for the caller's layout.
struct DialogButtons {
    QDialogButtonBox* box;
    QPushButton* ok;
};
DialogButtons addOkCancel(QDialog& dialog, int okTextId = 0);

// A group box titled `titleId` with one radio button per label, top to bottom; in `choices`
// each button's id is its place (0, 1, ...) and its object name `namePrefix` followed by it.
// The box is a child of `parent`.
QGroupBox* addRadioChoices(QButtonGroup& choices, int titleId, std::span<const int> labelIds,
                           const QString& namePrefix, QWidget* parent);

}  // namespace tw::gui
