// SPDX-License-Identifier: GPL-2.0-or-later
// "Undo Last Save or Renaming" of the "ID3 Tags" menu: one command for both, as only the
// last of them is kept (rename/last_change_undo.h). It asks first, naming how many files
// it would put back, then reads the work folder again, as files changed under it.

#include <QAction>

#include "base/language.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "core/app_options.h"
#include "core/list_session.h"
#include "gui/actions/command_set.h"
#include "gui/commands/command_context.h"
#include "gui/commands/command_handlers.h"
#include "gui/qt_text.h"
#include "rename/last_change_undo.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

void reportLeft(base::UserPort& port, const core::UndoOutcome& outcome) {
    if (!outcome.left.empty())
        port.showFailedFiles(base::tr(ids::kFailedFilesCaption), base::tr(ids::kUndoLeft),
                             core::failureLines(outcome.left));
}

void undoLastChange(CommandContext& c) {
    base::UserPort& port = c.gui.port;
    const rename::LastChangeUndo trial = rename::undoLastChange(true);
    if (trial.damaged) {
        port.showMessage(base::UserPort::Severity::Error, base::tr(ids::kUndoDamaged));
        return;
    }
    const int files = static_cast<int>(trial.outcome.putBack.size());
    if (files == 0) {
        port.showMessage(base::UserPort::Severity::Warning, base::tr(ids::kUndoNoneApplies));
        reportLeft(port, trial.outcome);
        return;
    }
    const int question =
        trial.batch == core::KeptBatch::Rename ? ids::kUndoConfirmRename : ids::kUndoConfirmSave;
    if (port.askYesNo(base::trf(question, files)) != base::UserPort::Answer::Yes ||
        !c.session.confirmDiscard())
        return;
    const rename::LastChangeUndo undo = rename::undoLastChange(false);
    (void)c.session.scanFolder(c.gui.options.workFolder, true);  // which tells a failure
    port.showMessage(base::UserPort::Severity::Information,
                     base::trf(ids::kUndoDone, static_cast<int>(undo.outcome.putBack.size())));
    reportLeft(port, undo.outcome);
}

}  // namespace

void defineUndoCommands(CommandSet& commands, CommandContext& c) {
    QAction* action = commands.action(ids::kCmdUndoLastChange);
    commands.define(ids::kCmdUndoLastChange,
                    {[&c] { undoLastChange(c); },
                     [action] {
                         // A disabled entry says why in the status bar.
                         const base::Message why = rename::whyNothingToUndo();
                         action->setStatusTip(qs(base::worded(
                             why.empty() ? base::Message(ids::kCmdUndoLastChange) : why)));
                         return why.empty();
                     }});
}

}  // namespace tw::gui
