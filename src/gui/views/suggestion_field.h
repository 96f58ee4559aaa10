// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QStringList>
#include <QWidget>

class QComboBox;
class QToolButton;

namespace tw::gui {

// A field of the tag tabs: an editable drop-down of suggestions, with a clear button unless
// asked otherwise.
//
// `edited` reports only a change the user makes to the text: typing, pasting, picking an
// entry of the open list, or the clear button (which reports even when the field is empty,
// since it clears every selected file). Focus moving in or out never reports anything, nor
// do the texts the program shows through showText() and showPlaceholder(). Undo and Redo
// keys are not the text's own but the window's (the edit document's). Owns its child
// widgets.
class SuggestionField : public QWidget {
    Q_OBJECT
public:
    enum class ClearButton { Shown, None };

    explicit SuggestionField(ClearButton clearButton, QWidget* parent = nullptr);

    QString text() const;
    // Shows `text` without reporting it; a text already shown stays untouched, so the
    // cursor of a field being typed in does not jump.
    void showText(const QString& text);
    // Shows an empty field with the grey `placeholder` (the selected files differ), without
    // reporting it. The placeholder goes with the user's first edit.
    void showPlaceholder(const QString& placeholder);
    QString placeholder() const;
    // Replaces the drop-down list; the shown text stays.
    void setSuggestions(const QStringList& suggestions);
    QStringList suggestions() const;

    QComboBox& comboBox() const { return *combo_; }
    QToolButton* clearButton() const { return clear_; }

Q_SIGNALS:
    void edited(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void userEdited(const QString& text);

    QComboBox* combo_;
    QToolButton* clear_ = nullptr;
    bool showing_ = false;  // the program is changing the text
};

}  // namespace tw::gui
