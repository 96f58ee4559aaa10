// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

class QComboBox;

namespace tw::gui {

// A drop-down whose value goes into files (a tag field, the genre, a picture's type) changes
// only by what the user does to it on purpose: typing, or choosing an entry of its opened
// list. QComboBox itself also steps to a neighbouring entry under the mouse wheel and on
// Up, Down, PageUp, PageDown, Home and End while its list is closed; one notch of a wheel
// that merely scrolled past, or an arrow key meant for the file list, then went into every
// selected file.
//
// Guarded here: the wheel goes on to the page around the box (focused or not, so it never
// takes the focus either); Up and Down open the list, as Alt+Down and F4 do, so the keyboard
// still reaches every entry; PageUp, PageDown, Home and End do nothing on a closed list (in
// an editable box Home and End still move the text cursor). The open list takes every key
// and the wheel as usual.
//
// The guard is a child of the box and lives as long as it does.
void changeOnlyByListChoice(QComboBox& combo);

}  // namespace tw::gui
