// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QWidget>
#include <functional>

#include "gui/gui_context.h"

class QPlainTextEdit;
class QPushButton;

namespace tw::gui {

// The "Lyrics" tab: the lyrics of the first selected file, typed in place, loaded from a
// text file, saved into the file at once or deleted (removed at the next save).
//
// Reads and edits the first selected record of context.list and asks through context.port;
// owns only its widgets.
class LyricsPage : public QWidget {
    Q_OBJECT
public:
    // Larger text files are refused: lyrics are words, not data.
    static constexpr qint64 kMaxLyricsFileSize = 1024 * 1024;

    explicit LyricsPage(GuiContext& context, QWidget* parent = nullptr);

    // The lyrics of the first selected file (left alone while the user is typing them).
    void refresh();
    // "Open from File ..." after the file was chosen: the file's text (UTF-8, or
    // windows-1252 line by line where it is not) becomes the lyrics of the first selected
    // file when it differs. False, after telling the user, when the file cannot be read.
    [[nodiscard]] bool loadLyricsFile(const QString& path);
    // "Save Lyrics" and "Delete Lyrics ..." (which asks first).
    void saveLyrics();
    void deleteLyrics();

    QPlainTextEdit& textField() const { return *text_; }

private:
    void chooseLyricsFile();
    void onTextEdited();
    // Runs `change` on the first selected record as a step of the edit document.
    void editFirst(const std::function<void()>& change, int mergeKey = 0);
    void showText(const QString& text);

    GuiContext& context_;
    QPlainTextEdit* text_;
    QString shown_;         // the text last filled in, as the record holds it
    QString filled_;        // the same as the field gives it back
    bool showing_ = false;  // the program is filling the text field
    bool typing_ = false;   // the change being reported comes from the text field
};

}  // namespace tw::gui
