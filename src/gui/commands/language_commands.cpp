// SPDX-License-Identifier: GPL-2.0-or-later
// The "Interface Language" menu: a new language is stored and takes effect in a new
// instance of the program.
#include <string>

#include "base/language.h"
#include "base/language_menu.h"
#include "base/string_ids.h"
#include "gui/actions/command_set.h"
#include "gui/commands/command_context.h"
#include "gui/commands/command_handlers.h"
#include "gui/mainwindow/main_window.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

void choose(CommandContext& c, const std::string& name) {
    if (!base::ChooseLanguage(name, c.gui.settings, c.gui.port))
        return;
    // The new instance starts only once this one has closed, after the question about
    // unsaved edits, so two instances never work on the same files. A close the user cancels
    // keeps the choice for the next start.
    if (c.window.close())
        c.requestRestart();
}

}  // namespace

void defineLanguageCommands(CommandSet& commands, CommandContext& c) {
    commands.define(
        ids::kCmdLanguageDefault,
        {[&c] { choose(c, std::string()); }, {}, [] { return base::LanguageName().empty(); }});
    // The entries beyond the enabled ones get no handler and stay disabled.
    for (int id = ids::kCmdLanguageFirst; id <= ids::kCmdLanguageLastEnabled; ++id)
        commands.define(id, {[&c, id] {
                            // The folder is listed again: the entry names the n-th file now.
                            if (auto name = base::languageOfCommand(id))
                                choose(c, *name);
                        }});
}

}  // namespace tw::gui
