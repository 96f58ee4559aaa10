// SPDX-License-Identifier: GPL-2.0-or-later
// The "ID3 Tags" menu: saving the changed tags, filling one tag from the other, clearing
// tags, numbering tracks, filling tags from the file names, renaming the files from their
// tags, undo and redo. Save writes the files and renaming moves them; the rest changes the
// records in memory only, each as one step of the edit document's history.
#include <QKeySequence>
#include <QLocale>
#include <functional>

#include "base/language.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "core/batch_tags.h"
#include "core/file_list.h"
#include "core/list_rules.h"
#include "gui/actions/command_set.h"
#include "gui/actions/command_table.h"
#include "gui/commands/command_context.h"
#include "gui/commands/command_handlers.h"
#include "gui/common/shell_port.h"
#include "gui/document/edit_document.h"
#include "gui/mainwindow/main_window.h"
#include "gui/qt_text.h"
#include "gui/views/file_list_view.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

bool confirmed(CommandContext& c, int questionId) {
    return c.gui.port.askYesNo(base::tr(questionId)) == base::UserPort::Answer::Yes;
}

// The ID3v1 commands leave out the selected files that hold no ID3v1 tag; the user is told
// how many, so that an unchanged file is not taken for a failure.
void reportFilesWithoutId3v1(CommandContext& c) {
    const core::FileList& list = c.gui.list;
    if (const int without = core::selectedWithoutId3v1(list); without > 0)
        c.gui.port.showMessage(
            base::UserPort::Severity::Information,
            base::trf(ids::kMsgFilesWithoutId3v1, without, list.selectedCount()));
}

// The name of a step in a menu label, where "&" marks the access key.
std::string menuText(const QString& name) {
    QString text = name;
    return utf8(text.replace(QLatin1Char('&'), QStringLiteral("&&")));
}

QString withHotKey(const QString& label, int commandId) {
    const auto keys = hotKeys(commandId);
    return label + QLatin1Char('\t') +
           QKeySequence(qs(keys.front()), QKeySequence::PortableText)
               .toString(QKeySequence::NativeText);
}

// The Undo and Redo entries name the step they act on; when older edits not yet saved can
// no longer be taken back, the Undo entry says why.
void nameUndoEntries(CommandSet& commands, const EditDocument& document) {
    using Loss = core::EditHistory::Loss;
    const core::EditHistory& history = document.history();
    QString undo;
    if (history.canUndo())
        undo = withHotKey(textf(ids::kMenuUndoStep, menuText(document.undoName())), ids::kCmdUndo);
    else if (history.loss() == Loss::OverBudget)
        undo = textf(ids::kMenuCannotUndoOlder,
                     utf8(QLocale().formattedDataSize(static_cast<qint64>(history.budget()))));
    else if (history.loss() == Loss::Discarded)
        undo = text(ids::kMenuCannotUndoDiscarded);
    commands.setFixedLabel(ids::kCmdUndo, undo);
    commands.setFixedLabel(
        ids::kCmdRedo,
        history.canRedo()
            ? withHotKey(textf(ids::kMenuRedoStep, menuText(document.redoName())), ids::kCmdRedo)
            : QString());
}

}  // namespace

void defineTagCommands(CommandSet& commands, CommandContext& c) {
    core::FileList& list = c.gui.list;
    EditDocument& document = c.gui.document;
    auto anySelected = [&list] { return core::canEditSelected(list); };
    // One step of the history named after the command's menu entry.
    const auto editSelected = [&document](int menuLabelId, const std::function<void()>& change) {
        document.editSelected(EditDocument::commandName(menuLabelId), change);
    };
    // An open cell edit of the list is kept before the command runs, so it may be saved.
    commands.define(
        ids::kCmdSaveChanges,
        {[&document] { document.save(); },
         [&c, &list] { return core::canSave(list) || c.window.fileList().isEditing(); }});
    commands.define(ids::kCmdFillV1FromV2, {[=, &c, &list] {
                                                editSelected(ids::kMenuFillV1FromV2, [&list] {
                                                    core::fillV1FromV2Selected(list);
                                                });
                                                reportFilesWithoutId3v1(c);
                                            },
                                            anySelected});
    commands.define(ids::kCmdFillV2FromV1, {[=, &c, &list] {
                                                editSelected(ids::kMenuFillV2FromV1, [&list] {
                                                    core::fillV2FromV1Selected(list);
                                                });
                                                reportFilesWithoutId3v1(c);
                                            },
                                            anySelected});
    // Nothing to ask about when no selected file holds an ID3v1 tag.
    commands.define(ids::kCmdClearV1,
                    {[=, &c, &list] {
                         if (core::selectedWithoutId3v1(list) < list.selectedCount()) {
                             if (!confirmed(c, ids::kMsgConfirmClearV1))
                                 return;
                             editSelected(ids::kMenuClearV1,
                                          [&list] { core::clearV1Selected(list); });
                         }
                         reportFilesWithoutId3v1(c);
                     },
                     anySelected});
    commands.define(ids::kCmdClearV2, {[=, &c, &list] {
                                           if (confirmed(c, ids::kMsgConfirmClearV2))
                                               editSelected(ids::kMenuClearV2, [&list] {
                                                   core::clearV2Selected(list);
                                               });
                                       },
                                       anySelected});
    commands.define(ids::kCmdSetNumbering, {[=, &list] {
                                                editSelected(ids::kMenuSetNumbering,
                                                             [&list] { core::setNumbering(list); });
                                            },
                                            [&list] { return core::canSetNumbering(list); }});
    // It changes every selected file at once, so it asks first as the clear commands do.
    commands.define(
        ids::kCmdRemoveNumbering,
        {[=, &c, &list] {
             if (c.gui.port.askYesNo(
                     base::trf(ids::kMsgConfirmRemoveNumbering, list.selectedCount())) ==
                 base::UserPort::Answer::Yes)
                 editSelected(ids::kMenuRemoveNumbering, [&list] { core::removeNumbering(list); });
         },
         [&list] { return core::canRemoveNumbering(list); }});
    commands.define(ids::kCmdFilenameToTag, {[=, &c] {
                                                 editSelected(ids::kMenuFilenameToTag, [&c] {
                                                     c.shell.showFilenameToTag(c.gui);
                                                 });
                                             },
                                             anySelected});
    commands.define(ids::kCmdAdvancedRenaming, {[&c, &document] {
                                                    if (c.shell.showRenaming(c.gui))
                                                        document.recordsRenamed();
                                                },
                                                [&list] { return !list.empty(); }});
    commands.define(ids::kCmdUndo, {[&document] { document.undo(); },
                                    [&document] { return document.history().canUndo(); }});
    commands.define(ids::kCmdRedo, {[&document] { document.redo(); },
                                    [&document] { return document.history().canRedo(); }});
    QObject::connect(&document, &EditDocument::historyChanged, &commands,
                     [&commands, &document] { nameUndoEntries(commands, document); });
}

}  // namespace tw::gui
