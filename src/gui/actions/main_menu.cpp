// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/actions/main_menu.h"

#include <QMenu>
#include <QMenuBar>

#include "base/language_menu.h"
#include "base/string_ids.h"
#include "gui/actions/command_set.h"
#include "gui/actions/command_table.h"
#include "gui/qt_text.h"

namespace tw::gui {

MainMenu::MainMenu(QMenuBar& bar, CommandSet& commands) : QObject(&bar), commands_(commands) {
    for (const PopupSpec& spec : mainMenuSpec()) {
        QMenu* menu = bar.addMenu(QString());
        popups_.push_back(menu);
        for (const MenuEntry& entry : spec.entries) {
            if (entry.isSeparator()) {
                menu->addSeparator();
                continue;
            }
            menu->addAction(commands_.action(entry.commandId));
            if (entry.commandId == base::ids::kCmdLanguageDefault)
                fillLanguageEntries(*menu);
        }
        // Opening any popup is the moment the menu bar is in use: the texts and states are
        // made fresh then.
        connect(menu, &QMenu::aboutToShow, this, [this] {
            translate();
            commands_.updateStates();
        });
    }
    translate();
}

QMenu* MainMenu::popup(int position) const {
    return popups_.at(static_cast<std::size_t>(position));
}

// The language files are listed once per run; their entries never change afterwards.
void MainMenu::fillLanguageEntries(QMenu& menu) {
    for (const base::LanguageMenuEntry& entry : base::languageMenuEntries()) {
        commands_.setFixedLabel(entry.commandId, qs(entry.name));
        QAction* action = commands_.action(entry.commandId);
        action->setChecked(entry.checked);
        menu.addAction(action);
    }
}

void MainMenu::translate() {
    const std::vector<PopupSpec>& spec = mainMenuSpec();
    for (std::size_t i = 0; i < popups_.size(); ++i)
        popups_[i]->setTitle(qs(base::menuHeadText(static_cast<int>(i), spec[i].titleId)));
    commands_.retranslate();
}

}  // namespace tw::gui
