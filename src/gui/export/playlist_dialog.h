// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDialog>

#include "export/playlist_command.h"
#include "gui/gui_context.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace tw::gui {

class MaskSelector;
class ShellPort;

// "Playlist Creation": a playlist of the selected files in the folder the list shows, named
// by a mask of the list "Templates\PL" over the first selected file's fields (the mask
// editor of the renaming windows, with the playlist's tokens and that file's values as
// examples). "&Type:" chooses plain M3U, extended M3U or PLS and with it the extension shown
// beside the mask; the folder is shown read-only, as only the mask moves the playlist, and
// the path the mask gives follows every change of the mask and the type.
//
// OK writes the playlist (the command asks before making a missing folder and before
// replacing a file) and closes the window only once the file is written; a cancelled or
// failed write keeps it open. Cancel, Escape and the close button write nothing and store
// nothing but the window's place (section "DlgPlayList").
//
// Borrows the context and the shell port; owns the command and its widgets.
class PlaylistDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kSection = "DlgPlayList";

    PlaylistDialog(GuiContext& context, ShellPort& shell, QWidget* parent = nullptr);

    MaskSelector& masks() const { return *masks_; }
    QComboBox& typeChoice() const { return *type_; }
    // The full path the current mask and type give (what OK writes, unless asked otherwise).
    QString target() const;

    void accept() override;
    void done(int result) override;

private:
    void typeChosen(int index);
    void refreshTarget();

    GuiContext& context_;
    exports::PlaylistCommand command_;
    QComboBox* type_;
    QLabel* extension_;
    QLineEdit* folder_;
    MaskSelector* masks_;
    QLineEdit* target_;
};

}  // namespace tw::gui
