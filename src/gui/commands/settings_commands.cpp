// SPDX-License-Identifier: GPL-2.0-or-later
// The "Settings" menu: the option toggles and the window placement. Options take effect at
// once and are stored at exit with the others.
#include "base/string_ids.h"
#include "core/app_options.h"
#include "gui/actions/command_set.h"
#include "gui/commands/command_context.h"
#include "gui/commands/command_handlers.h"
#include "gui/common/window_placement.h"
#include "gui/mainwindow/main_window.h"
#include "gui/shell/desktop_context.h"
#include "gui/shell/desktop_port.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

CommandSet::Handler toggle(bool& option) {
    return {[&option] { option = !option; }, {}, [&option] { return option; }};
}

// Both tags are always saved: shown checked, and not to be changed.
CommandSet::Handler alwaysOn() {
    return {{}, {}, [] { return true; }};
}

}  // namespace

void defineSettingsCommands(CommandSet& commands, CommandContext& c) {
    core::AppOptions& options = c.gui.options;
    commands.define(ids::kCmdSaveV1Changes, alwaysOn());
    commands.define(ids::kCmdSaveV2Changes, alwaysOn());
    commands.define(ids::kCmdAutoFillV1, toggle(options.autoFillV1));
    commands.define(ids::kCmdAutoFillV2, toggle(options.autoFillV2));
    commands.define(ids::kCmdAllowEditInList, toggle(options.allowEditInList));
    // Where the desktop shows no notification area, minimising works as usual and the option
    // cannot be changed: it shows unchecked (it does nothing now), and the stored choice
    // is back once there is a tray.
    CommandSet::Handler tray = toggle(options.minimizeToTray);
    tray.enabled = [&c] { return c.desktop.port.systemTrayAvailable(); };
    tray.checked = [&c, &options] {
        return options.minimizeToTray && c.desktop.port.systemTrayAvailable();
    };
    commands.define(ids::kCmdMinimizeToTray, std::move(tray));
    commands.define(ids::kCmdSaveWindowPlacement,
                    {[&c] { saveWindowPlacement(c.window, c.gui.settings); }});
}

}  // namespace tw::gui
