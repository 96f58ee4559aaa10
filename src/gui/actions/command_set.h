// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>

class QAction;
class QMenu;

namespace tw::gui {

struct MenuEntry;

// The actions of the main window's commands, one per command id, with their handlers and
// the rules that enable and check them.
//
// A command without a handler stays disabled: its menu item, toolbar button and hot key
// exist but do nothing. States are worked out again by updateStates(), which the main window
// calls after everything that changes the list, the selection or an option, and whenever a
// menu opens; trigger() checks the rule again, so a stale state can never run a command
// that is not allowed.
//
// Owns its actions (children of this object); the handlers' captures must outlive it.
// The actions are added to `window`, so their hot keys work wherever its focus is.
class CommandSet : public QObject {
    Q_OBJECT
public:
    struct Handler {
        std::function<void()> run = {};
        std::function<bool()> enabled = {};  // empty: always
        std::function<bool()> checked = {};  // empty: no check mark
    };

    explicit CommandSet(QWidget* window);
    ~CommandSet() override;

    // Gives a command its work. A second call replaces the first.
    void define(int commandId, Handler handler);
    bool isDefined(int commandId) const;

    // The command's action, made on first use with its label, prompt, tool tip and hot keys.
    QAction* action(int commandId);

    // Enabled and checked states of every action from the rules.
    void updateStates();
    // Runs a command when it has a handler and its rule allows it now; false otherwise.
    // The work set by setBeforeEachCommand runs first, before the rule is asked.
    bool trigger(int commandId);
    // Work that runs before every command: the main window ends an open cell edit of the
    // file list there, so its text is neither lost nor applied after the command.
    void setBeforeEachCommand(std::function<void()> work) { beforeEachCommand_ = std::move(work); }
    // Where the keyboard goes after a command when the widget that had it is gone (the file
    // list); every command gives the focus back (focus_return.h).
    void setFocusFallback(QWidget* fallback) { focusFallback_ = fallback; }
    // Runs work that changes the list outside the menus (the folder tree, drops, start-up)
    // under the same rule as the commands: never while a command or other such work is
    // running, since their progress and question windows let events through. False when it
    // was refused.
    [[nodiscard]] bool runExclusive(const std::function<void()>& work);
    bool isEnabled(int commandId) const;

    // Gives a command a label of its own that no language replaces (the language names).
    void setFixedLabel(int commandId, const QString& label);

    // The texts of every action from the active language (labels, prompts, tool tips).
    void retranslate();

    // Appends a context menu's entries to `menu`. Entries carry the context menu's own
    // labels, share the commands' states and run them.
    void appendEntries(QMenu& menu, const std::vector<MenuEntry>& entries);

Q_SIGNALS:
    // A command passed its enabling rule and is about to run.
    void commandStarting(int commandId);
    // A command ran (whatever it changed): the main window redraws states.
    void commandRan(int commandId);

private:
    struct Command {
        QAction* action = nullptr;
        Handler handler;
        QString fixedLabel;
    };
    Command& command(int commandId);
    void applyTexts(int commandId, const Command& cmd) const;
    void applyState(const Command& command) const;

    QWidget* window_;
    std::map<int, Command> commands_;
    std::function<void()> beforeEachCommand_;
    QPointer<QWidget> focusFallback_;
    bool running_ = false;
};

// The label of a menu item in the active language: the language file's text of the command,
// else its built-in label.
QString menuLabel(int commandId, int labelId);

}  // namespace tw::gui
