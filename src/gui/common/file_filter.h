// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace tw::gui {

// A file-type filter of the string table ("MPEG Audio Files (*.mp3)|*.mp3|", pairs of a
// description and its patterns, each closed by "|") in the form Qt's file dialogs take
// ("MPEG Audio Files (*.mp3)", entries joined by ";;"). A description that does not show
// its patterns in parentheses gets them appended, since Qt reads the patterns from there.
QString qtFileFilter(const QString& filter);

}  // namespace tw::gui
