#pragma once

#include <QTabWidget>

#include "gui/gui_context.h"

namespace tw::gui {

// The tag tabs below the file list: "Standard", "Extended", "Lyrics" and "Picture", through
// which the fields of the selected files are edited, with the information field that shows
// the first file's stream facts or the totals.
//
// The view reads and edits the records of context.list and asks through context.port; it
// owns only its widgets.
class TagTabsView : public QTabWidget {
    Q_OBJECT
public:
    enum class Page { Standard, Extended, Lyrics, Picture };

    explicit TagTabsView(GuiContext& context, QWidget* parent = nullptr);
    ~TagTabsView() override;

    // The fields of the first selected file, and the information field.
    void refresh();
    // The drop-down lists of suggestions from the whole list (after it was rebuilt).
    void refillSuggestions();
    // Brings a page to front and gives it the keyboard focus.
    void showPage(Page page);

    // The row height the main window gives the tabs.
    static constexpr int kIdealHeight = 280;

Q_SIGNALS:
    // A field edit changed the selected records: their rows and the counts are redrawn.
    void selectedRecordsEdited();
    // "Save Changes" wrote the list: every row is redrawn.
    void allRecordsChanged();

private:
    GuiContext& context_;
};

}  // namespace tw::gui
