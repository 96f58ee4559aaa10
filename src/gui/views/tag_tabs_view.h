// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QTabWidget>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "gui/gui_context.h"

class QPlainTextEdit;
class QPushButton;
class QGridLayout;

namespace tw::core {
class FileList;
struct AudioFile;
}  // namespace tw::core

namespace tw::gui {

class GenreSelector;
class LyricsPage;
class PicturePage;
class SuggestionField;

// The tag tabs below the file list: "Standard", "Extended", "Lyrics" and "Picture", through
// which the fields of the selected files are edited, with the information field that shows
// the first file's stream facts or the totals.
//
// Every edit of a field goes at once into every selected record through the list's batch
// setter for that field, as a step of the edit document; "Save Changes" writes the list. A field
// shows the value that every selected file shares, or, when they differ, stays empty with a grey
// placeholder; a field the user does not change leaves each file its own value.
//
// The view reads and edits the records of context.list and asks through context.port; it
// owns only its widgets.
class TagTabsView : public QTabWidget {
    Q_OBJECT
public:
    enum class Page { Standard, Extended, Lyrics, Picture };

    explicit TagTabsView(GuiContext& context, QWidget* parent = nullptr);
    ~TagTabsView() override;

    // The fields of the selected files, the information field and the state of the
    // save buttons. While the user's own edit is being reported, the fields are left as
    // they are typed.
    void refresh();
    // The drop-down lists of suggestions from the whole list (after it was rebuilt).
    void refillSuggestions();
    // Brings a page to front and gives it the keyboard focus.
    void showPage(Page page);

    // The row height the main window gives the tabs.
    static constexpr int kIdealHeight = 280;

private:
    using BatchSetter = void (core::FileList::*)(std::string_view);
    using ValueOf = std::function<std::string(const core::AudioFile&)>;

    // A text field with the rule of the value it shows for a file.
    struct TextField {
        SuggestionField* field;
        ValueOf value;
    };

    QWidget* makeStandardPage();
    QWidget* makeExtendedPage();
    SuggestionField* addField(QGridLayout& layout, int row, int labelId, const char* name,
                              BatchSetter setter, ValueOf value, bool clearButton = true);
    QPushButton* makeSaveButton(QWidget* page);
    void showFields();
    void showInformation();

    GuiContext& context_;
    SuggestionField* title_ = nullptr;
    SuggestionField* artist_ = nullptr;
    SuggestionField* album_ = nullptr;
    SuggestionField* year_ = nullptr;
    GenreSelector* genre_ = nullptr;
    SuggestionField* comments_ = nullptr;
    QPlainTextEdit* information_ = nullptr;
    std::vector<QWidget*> fields_;
    std::vector<TextField> textFields_;
    std::vector<QPushButton*> saveButtons_;
    LyricsPage* lyrics_ = nullptr;
    PicturePage* pictures_ = nullptr;
    bool editing_ = false;  // the user's own edit is being reported
};

}  // namespace tw::gui
