// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QHeaderView>
#include <string_view>
#include <vector>

#include "gui/views/column_layout.h"

namespace tw::base {
class SettingsStore;
}

namespace tw::gui {

// The defaults of one column of a list widget.
struct ColumnDefaults {
    int width;
    int maxWidth;
    int position;  // display position, 0 = leftmost
    bool visible;
};

// The column header of the program's list widgets: columns that the user moves, resizes
// (between kMinimumWidth and each column's maximum), shows and hides, with the layout
// stored between runs as a "LCM2-<set>" value (column_layout.h) in the widget's settings
// section.
//
// Owned by its view (Qt parent). Works on the sections of the view's model, which must
// have exactly as many columns as there are defaults.
class ColumnHeader : public QHeaderView {
    Q_OBJECT
public:
    static constexpr int kMinimumWidth = 10;

    explicit ColumnHeader(std::vector<ColumnDefaults> defaults, QWidget* parent = nullptr);
    ~ColumnHeader() override;

    // Puts every column at its default place, width and visibility.
    void applyDefaults();
    // The columns as they stand, in model order.
    std::vector<ColumnState> layout() const;
    // Takes a layout of exactly as many columns as the defaults; widths are kept within
    // each column's limits. False, with nothing changed, for any other layout.
    [[nodiscard]] bool applyLayout(const std::vector<ColumnState>& columns);

    // Reads the layout stored as set `setIndex` in `section`; a missing or unsound value
    // gives the defaults (and false).
    bool restoreLayout(const base::SettingsStore& store, std::string_view section,
                       unsigned setIndex);
    void saveLayout(base::SettingsStore& store, std::string_view section, unsigned setIndex) const;

    // Shows or hides a column by model index; the last visible column is never hidden.
    void setColumnVisible(int logical, bool visible);

private:
    void keepWithinLimits(int logical, int newSize);
    int visibleCount() const;

    std::vector<ColumnDefaults> defaults_;
    // The width of each column while it was last shown, so hidden columns keep theirs.
    std::vector<int> widths_;
};

}  // namespace tw::gui
