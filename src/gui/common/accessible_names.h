// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

class QLabel;
class QTabWidget;
class QWidget;

namespace tw::gui {

// Names for screen readers where Qt finds none by itself. Qt names a field after the label
// whose buddy it is and a button after its text, but not a list or a table, a button that
// shows only an icon, or a field whose focus goes into an inner control. The names are texts
// of the string table, so they change with the language file as the labels do.

// A label's text as it is spoken: without the "&" that marks its access key.
QString spokenText(const QString& label);

// `control` is called by the text of `textId`.
void nameControl(QWidget& control, int textId);

// `control` is called by the label it stands beside.
void nameAfterLabel(QWidget& control, const QLabel& label);

// Adds `page` to `tabs` under the text of `textId`, and calls the page by it.
void addNamedTab(QTabWidget& tabs, QWidget& page, int textId);

}  // namespace tw::gui
