// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSplitter>

namespace tw::gui {

// The client area of the main window: the file list above, the tag tabs below. At every
// resize the tabs get their ideal height and the list the rest, neither below kMinimumRow;
// between resizes the user may drag the divider.
//
// The two panes are added by the caller and owned by the splitter.
class ListTabsSplitter : public QSplitter {
    Q_OBJECT
public:
    ListTabsSplitter(int idealTabsHeight, QWidget* parent = nullptr);

    static constexpr int kMinimumRow = 10;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int idealTabsHeight_;
};

}  // namespace tw::gui
