// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDialog>

#include "gui/gui_context.h"
#include "gui/views/file_state_icons.h"

class QComboBox;
class QFormLayout;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace tw::core {
struct AudioFile;
struct TagFields;
}  // namespace tw::core

namespace tw::gui {

class GenreSelector;

// "Information about Audio File": both tags of one file side by side, the stream facts, and
// stepping through the list. Modal; edits go into the records in memory only.
//
// The edits shown for a file are taken into its record (apply) whenever the window moves
// to another file, copies between the tags, or closes with "OK"; Cancel and the close
// control keep what was taken before and drop the rest. The files selector marks the
// files that have unsaved changes.
//
// Borrows context for its lifetime; owns only its widgets. The list must not change while
// the window is open.
class FileInfoDialog : public QDialog {
    Q_OBJECT
public:
    // Shows the file at `index` (the last file when the index is past the end).
    FileInfoDialog(GuiContext& context, int index, QWidget* parent = nullptr);
    ~FileInfoDialog() override;

    int currentIndex() const { return index_; }

    // Fills the controls from the record.
    void showRecord();
    // Takes the controls into the record; with markInSelector the file's entry in the file
    // selector shows whether it is now dirty.
    void apply(bool markInSelector);

    void showPrevious();
    void showNext();
    void showFile(int index);
    // "Copy to ID3v2 Tag" / "Copy to ID3v1 Tag": apply, then fill the other tag from this
    // one, overwriting, then show the result.
    void copyToV2();
    void copyToV1();

    void accept() override;

private:
    // The controls of one tag's group.
    struct TagControls {
        QGroupBox* box = nullptr;
        QLineEdit* track = nullptr;
        QLineEdit* title = nullptr;
        QLineEdit* artist = nullptr;
        QLineEdit* album = nullptr;
        QLineEdit* year = nullptr;
        GenreSelector* genre = nullptr;
        QLineEdit* comment = nullptr;
    };

    QGroupBox* makeTagGroup(TagControls& controls, int titleId, const QString& name);
    QLineEdit* addLine(QFormLayout& form, int labelId, const QString& name);
    QWidget* makeNavigation();
    void showCommonFields(const TagControls& controls, const core::TagFields& tag);
    void applyCommonFields(const TagControls& controls, core::TagFields& tag);
    void markEntry(int index);
    core::AudioFile* record() const;

    GuiContext& context_;
    int index_ = 0;
    FileStateIcons icons_;
    TagControls v1_;
    TagControls v2_;
    QLineEdit* composer_ = nullptr;
    QLineEdit* origArtist_ = nullptr;
    QLineEdit* copyright_ = nullptr;
    QLineEdit* url_ = nullptr;
    QToolButton* openUrl_ = nullptr;
    QLineEdit* encodedBy_ = nullptr;
    QLineEdit* publisher_ = nullptr;
    QPushButton* copyToV2_ = nullptr;
    QPushButton* copyToV1_ = nullptr;
    QPlainTextEdit* mpeg_ = nullptr;
    QToolButton* previous_ = nullptr;
    QToolButton* next_ = nullptr;
    QComboBox* files_ = nullptr;
};

}  // namespace tw::gui
