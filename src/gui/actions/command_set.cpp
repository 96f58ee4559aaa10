// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/actions/command_set.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

#include "base/language.h"
#include "base/language_menu.h"
#include "base/string_table.h"
#include "gui/actions/command_icons.h"
#include "gui/actions/command_table.h"
#include "gui/actions/focus_return.h"
#include "gui/qt_text.h"

namespace tw::gui {

QString menuLabel(int commandId, int labelId) {
    QString label = qs(base::menuItemText(commandId, labelId));
    // The key after the tab is named as Qt names keys in the interface language ("Strg" for
    // Ctrl in German); a name Qt cannot read, as a language file may write it, stays.
    const qsizetype tab = label.indexOf(QLatin1Char('\t'));
    if (tab >= 0) {
        const QKeySequence keys(label.mid(tab + 1), QKeySequence::PortableText);
        if (!keys.isEmpty() && keys[0].key() != Qt::Key_unknown)
            label = label.left(tab + 1) + keys.toString(QKeySequence::NativeText);
    }
    return label;
}

namespace {

// The prompt of a command in the status bar while its menu item is highlighted.
QString statusPrompt(int commandId) {
    base::LangString text;
    if (!text.LoadStatusMessage(commandId).empty())
        return qs(text.text());
    return qs(base::builtinText(commandId));
}

}  // namespace

CommandSet::CommandSet(QWidget* window) : QObject(window), window_(window) {}

CommandSet::~CommandSet() = default;

CommandSet::Command& CommandSet::command(int commandId) {
    Command& cmd = commands_[commandId];
    if (!cmd.action) {
        cmd.action = new QAction(this);  // owned by this object
        cmd.action->setCheckable(isCheckable(commandId));
        QList<QKeySequence> keys;
        for (std::string_view key : hotKeys(commandId))
            keys.append(QKeySequence(qs(key), QKeySequence::PortableText));
        cmd.action->setShortcuts(keys);
        cmd.action->setIcon(commandIcon(commandId, *window_->style()));
        applyTexts(commandId, cmd);
        window_->addAction(cmd.action);
        connect(cmd.action, &QAction::triggered, this, [this, commandId] { trigger(commandId); });
        applyState(cmd);
    }
    return cmd;
}

void CommandSet::define(int commandId, Handler handler) {
    Command& cmd = command(commandId);
    cmd.handler = std::move(handler);
    applyState(cmd);
}

bool CommandSet::isDefined(int commandId) const {
    auto it = commands_.find(commandId);
    return it != commands_.end() && it->second.handler.run;
}

QAction* CommandSet::action(int commandId) {
    return command(commandId).action;
}

void CommandSet::applyTexts(int commandId, const Command& cmd) const {
    QAction& action = *cmd.action;
    if (!cmd.fixedLabel.isEmpty()) {
        action.setText(cmd.fixedLabel);
        return;
    }
    const int label = mainMenuLabel(commandId);
    action.setText(menuLabel(commandId, label ? label : commandId));
    action.setStatusTip(statusPrompt(commandId));
    base::LangString tip;
    action.setToolTip(qs(tip.LoadToolTip(commandId)));
}

void CommandSet::setFixedLabel(int commandId, const QString& label) {
    Command& cmd = command(commandId);
    cmd.fixedLabel = label;
    applyTexts(commandId, cmd);
}

void CommandSet::applyState(const Command& cmd) const {
    const Handler& h = cmd.handler;
    cmd.action->setEnabled(h.run && (!h.enabled || h.enabled()));
    if (h.checked)
        cmd.action->setChecked(h.checked());
}

void CommandSet::updateStates() {
    for (auto& [id, cmd] : commands_)
        applyState(cmd);
}

bool CommandSet::isEnabled(int commandId) const {
    auto it = commands_.find(commandId);
    if (it == commands_.end())
        return false;
    const Handler& h = it->second.handler;
    return h.run && (!h.enabled || h.enabled());
}

bool CommandSet::trigger(int commandId) {
    if (running_)
        return false;
    if (beforeEachCommand_)
        beforeEachCommand_();
    if (!isEnabled(commandId))
        return false;
    // Copied: a handler may define commands anew.
    const std::function<void()> run = commands_[commandId].handler.run;
    Q_EMIT commandStarting(commandId);
    (void)runExclusive(run);  // not refused: nothing runs, as checked above
    Q_EMIT commandRan(commandId);
    return true;
}

bool CommandSet::runExclusive(const std::function<void()>& work) {
    if (running_)
        return false;
    {
        const FocusReturn focusBack(*window_, focusFallback_);
        running_ = true;
        struct Done {
            bool& flag;
            ~Done() { flag = false; }
        } done{running_};
        work();
    }
    updateStates();
    return true;
}

void CommandSet::retranslate() {
    for (auto& [id, cmd] : commands_)
        applyTexts(id, cmd);
}

void CommandSet::appendEntries(QMenu& menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& entry : entries) {
        if (entry.isSeparator()) {
            menu.addSeparator();
            continue;
        }
        const Command& cmd = command(entry.commandId);
        applyState(cmd);
        QAction* item = menu.addAction(menuLabel(entry.commandId, entry.labelId));
        item->setCheckable(cmd.action->isCheckable());
        item->setChecked(cmd.action->isChecked());
        item->setEnabled(cmd.action->isEnabled());
        item->setStatusTip(cmd.action->statusTip());
        item->setIcon(cmd.action->icon());
        const int id = entry.commandId;
        connect(item, &QAction::triggered, this, [this, id] { trigger(id); });
    }
}

}  // namespace tw::gui
