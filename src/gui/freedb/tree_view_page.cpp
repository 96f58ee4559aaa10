// SPDX-License-Identifier: GPL-2.0-or-later
// The album tree page of the settings window.
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "base/string_ids.h"
#include "gui/common/accessible_names.h"
#include "gui/freedb/ordered_check_list.h"
#include "gui/freedb/settings_pages.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

QString levelName(freedb::TreeLevel level) {
    switch (level) {
        case freedb::TreeLevel::Category:
            return text(ids::kTreeLevelCategory);
        case freedb::TreeLevel::Artist:
            return text(ids::kTreeLevelArtist);
        case freedb::TreeLevel::Album:
            return text(ids::kTreeLevelAlbum);
        case freedb::TreeLevel::DiscId:
            return text(ids::kTreeLevelDiskId);
        case freedb::TreeLevel::None:
            break;
    }
    return {};
}

}  // namespace

TreeViewPage::TreeViewPage(QWidget* parent)
    : SettingsPage(parent), levels_(new OrderedCheckList(this)) {
    levels_->setObjectName(QStringLiteral("treeLevels"));
    nameControl(levels_->list(), ids::kSettingsPageTreeView);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(levels_);
}

void TreeViewPage::load(const FreeDbSettingsValues& values) {
    show(values.treeFormat);
}

void TreeViewPage::show(const freedb::TreeFormat& format) {
    // The chosen levels in their order, then the others.
    const std::vector<freedb::TreeLevel> chosen = format.chosen();
    std::vector<OrderedCheckList::Entry> entries;
    for (freedb::TreeLevel level : chosen)
        entries.push_back({static_cast<int>(level), levelName(level), true});
    for (freedb::TreeLevel level : freedb::TreeFormat::kAllLevels)
        if (std::find(chosen.begin(), chosen.end(), level) == chosen.end())
            entries.push_back({static_cast<int>(level), levelName(level), false});
    levels_->setEntries(entries);
}

void TreeViewPage::apply(FreeDbSettingsValues& values) const {
    std::vector<freedb::TreeLevel> chosen;
    for (const OrderedCheckList::Entry& entry : levels_->entries())
        if (entry.checked)
            chosen.push_back(static_cast<freedb::TreeLevel>(entry.key));
    values.treeFormat = freedb::TreeFormat::of(chosen);
}

void TreeViewPage::restoreDefaults() {
    show(freedb::TreeFormat());
}

}  // namespace tw::gui
