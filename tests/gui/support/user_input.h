// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <Qt>

class QAbstractButton;
class QLineEdit;
class QWidget;

namespace tw::gui {
class FileListView;
class MaskSelector;
class TagTabsView;
}  // namespace tw::gui

namespace tw::test {

// What the user's hands do to the controls, the way the window system delivers it.

// Clicks the first cell of a row of the file list.
void clickRow(gui::FileListView& list, int row, Qt::KeyboardModifiers modifiers = {});

// Clicks a button, check box or radio button on its left edge, level with its text (the
// middle of a wide check box may lie beyond its text, where a click does nothing).
void clickOnBox(QAbstractButton& button);

// One notch of the mouse wheel over the middle of `widget`.
void wheelOver(QWidget& widget);

// Replaces the text of a field by typing `text` (an empty text clears it).
void retype(QLineEdit& field, const QString& text);

// Replaces the text of a mask field by typing `text`.
void typeMask(gui::MaskSelector& masks, const QString& text);

// The text field of the tag tabs' field with this object name; the test ends at once when
// there is none.
QLineEdit& tagEditor(gui::TagTabsView& tabs, const char* name);

}  // namespace tw::test
