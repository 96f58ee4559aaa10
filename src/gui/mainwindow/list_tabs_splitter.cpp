// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/mainwindow/list_tabs_splitter.h"

#include <algorithm>

namespace tw::gui {

ListTabsSplitter::ListTabsSplitter(int idealTabsHeight, QWidget* parent)
    : QSplitter(Qt::Vertical, parent), idealTabsHeight_(idealTabsHeight) {
    setChildrenCollapsible(false);
}

void ListTabsSplitter::resizeEvent(QResizeEvent* event) {
    QSplitter::resizeEvent(event);
    if (count() != 2)
        return;
    const int total = std::max(0, height() - handleWidth());
    const int tabs = std::max(kMinimumRow, std::min(idealTabsHeight_, total - kMinimumRow));
    const int list = std::max(kMinimumRow, total - tabs);
    setSizes({list, tabs});
}

}  // namespace tw::gui
