// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/views/column_header.h"

#include <algorithm>

#include "base/settings_store.h"

namespace tw::gui {

ColumnHeader::ColumnHeader(std::vector<ColumnDefaults> defaults, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), defaults_(std::move(defaults)) {
    for (const ColumnDefaults& column : defaults_)
        widths_.push_back(column.width);
    setMinimumSectionSize(kMinimumWidth);
    setSectionsMovable(true);
    setSectionsClickable(true);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(this, &QHeaderView::sectionResized, this,
            [this](int logical, int, int newSize) { keepWithinLimits(logical, newSize); });
}

ColumnHeader::~ColumnHeader() = default;

void ColumnHeader::applyDefaults() {
    std::vector<ColumnState> columns;
    for (const ColumnDefaults& column : defaults_)
        columns.push_back({column.position, column.width, column.visible});
    (void)applyLayout(columns);  // the defaults always fit
}

std::vector<ColumnState> ColumnHeader::layout() const {
    std::vector<ColumnState> columns;
    for (int logical = 0; logical < static_cast<int>(defaults_.size()); ++logical)
        columns.push_back({visualIndex(logical), widths_[static_cast<std::size_t>(logical)],
                           !isSectionHidden(logical)});
    return columns;
}

bool ColumnHeader::applyLayout(const std::vector<ColumnState>& columns) {
    const int count = static_cast<int>(defaults_.size());
    if (static_cast<int>(columns.size()) != count || this->count() != count)
        return false;
    for (int place = 0; place < count; ++place) {
        const auto it = std::find_if(columns.begin(), columns.end(),
                                     [&](const ColumnState& c) { return c.position == place; });
        if (it == columns.end())
            return false;
    }
    for (int place = 0; place < count; ++place) {
        const auto it = std::find_if(columns.begin(), columns.end(),
                                     [&](const ColumnState& c) { return c.position == place; });
        const int logical = static_cast<int>(it - columns.begin());
        moveSection(visualIndex(logical), place);
    }
    for (int logical = 0; logical < count; ++logical) {
        const ColumnState& column = columns[static_cast<std::size_t>(logical)];
        const int width = std::clamp(column.width, kMinimumWidth,
                                     defaults_[static_cast<std::size_t>(logical)].maxWidth);
        widths_[static_cast<std::size_t>(logical)] = width;
        setSectionHidden(logical, false);
        resizeSection(logical, width);
        setSectionHidden(logical, !column.visible);
    }
    return true;
}

bool ColumnHeader::restoreLayout(const base::SettingsStore& store, std::string_view section,
                                 unsigned setIndex) {
    const std::vector<std::uint8_t> value =
        store.getBinary(section, columnLayoutValueName(setIndex));
    // A layout stored before columns were added keeps its own; the new ones come after them,
    // as their defaults say.
    const std::size_t storedCount = std::min(storedColumnCount(value), defaults_.size());
    auto stored = decodeColumnLayout(value, storedCount);
    for (std::size_t added = storedCount; stored && added < defaults_.size(); ++added)
        stored->push_back(
            {static_cast<std::int32_t>(added), defaults_[added].width, defaults_[added].visible});
    if (stored && applyLayout(*stored))
        return true;
    applyDefaults();
    return false;
}

void ColumnHeader::saveLayout(base::SettingsStore& store, std::string_view section,
                              unsigned setIndex) const {
    store.setBinary(section, columnLayoutValueName(setIndex), encodeColumnLayout(layout()));
}

void ColumnHeader::setColumnVisible(int logical, bool visible) {
    if (logical < 0 || logical >= count() || isSectionHidden(logical) == !visible)
        return;
    if (!visible && visibleCount() <= 1)
        return;
    setSectionHidden(logical, !visible);
    if (visible)
        resizeSection(logical, widths_[static_cast<std::size_t>(logical)]);
}

void ColumnHeader::keepWithinLimits(int logical, int newSize) {
    if (logical < 0 || logical >= static_cast<int>(defaults_.size()) || newSize <= 0)
        return;  // hiding a section reports size 0; the width it had is kept
    const int maxWidth = defaults_[static_cast<std::size_t>(logical)].maxWidth;
    if (newSize > maxWidth) {
        resizeSection(logical, maxWidth);
        return;
    }
    widths_[static_cast<std::size_t>(logical)] = newSize;
}

int ColumnHeader::visibleCount() const {
    return count() - hiddenSectionCount();
}

}  // namespace tw::gui
