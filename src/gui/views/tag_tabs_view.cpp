// Placeholder until the real view lands: it keeps the interface buildable for the shell.
#include "gui/views/tag_tabs_view.h"

#include <QWidget>

#include "core/file_list.h"

namespace tw::gui {

TagTabsView::TagTabsView(GuiContext& context, QWidget* parent)
    : QTabWidget(parent), context_(context) {
    for (int i = 0; i < 4; ++i)
        addTab(new QWidget(this), QString::number(i));
}

TagTabsView::~TagTabsView() = default;

void TagTabsView::refresh() {
    (void)context_.list.first();
}
void TagTabsView::refillSuggestions() {}

void TagTabsView::showPage(Page page) {
    setCurrentIndex(static_cast<int>(page));
    currentWidget()->setFocus();
}

}  // namespace tw::gui
