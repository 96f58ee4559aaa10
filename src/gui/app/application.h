// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QStringList>
#include <memory>

#include "core/file_list.h"
#include "gui/gui_context.h"

class QTranslator;

namespace tw::base {
class SettingsStore;
class UserPort;
}  // namespace tw::base

namespace tw::core {
class ListSession;
}

namespace tw::gui {

class CommandSet;
class DesktopPort;
class EditDocument;
class GuiUserPort;
class HelpKey;
class MainWindow;
class QtDesktopPort;
class QtShellPort;
class ScratchFolder;
class ShellPort;
class TrayIcon;
struct CommandContext;
struct DesktopContext;

// The application object: it runs start-up and shutdown and wires the parts together; the
// work itself is done by the engines, the command handlers and the windows.
//
// Owns, for the whole run: the FileList, the main window (with its views, the command set
// and the tray icon), the list session, Qt's own translation, the scratch folder, the F1
// key of every window, and the Qt dialog and desktop ports unless substitutes are given.
// Borrows the
// settings store and the process's AppOptions (core::options()). Lives on the GUI thread,
// inside a running QApplication.
// Substitutes for the Qt dialogs, for tests; null members mean the real ones. They must
// outlive the application object.
struct ApplicationPorts {
    base::UserPort* user = nullptr;
    ShellPort* shell = nullptr;
    DesktopPort* desktop = nullptr;
};

class Application {
public:
    explicit Application(base::SettingsStore& settings, ApplicationPorts ports = {});
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The start-up sequence. `arguments` are the command-line arguments after the program's
    // name; the first, when given, is a file or folder to open instead of the last work
    // folder. False ends the program (an argument that names nothing).
    [[nodiscard]] bool initInstance(const QStringList& arguments);
    // The shutdown sequence: stores the options ("D" included). The window placement is
    // stored only by its own command.
    void exitInstance();

    // A language change asked for a new instance once this one has ended.
    bool restartRequested() const { return restartRequested_; }

    MainWindow& window() const { return *window_; }
    CommandSet& commands() const { return *commands_; }
    TrayIcon& tray() const { return *tray_; }
    core::FileList& list() { return list_; }
    EditDocument& document() const { return *document_; }
    core::ListSession& session() const { return *session_; }

private:
    void createWindow();
    void openStartFolder(const QString& argument);

    base::SettingsStore& settings_;
    std::unique_ptr<QTranslator> qtTranslation_;
    core::FileList list_;
    std::unique_ptr<GuiUserPort> guiPort_;
    std::unique_ptr<QtShellPort> qtShell_;
    std::unique_ptr<QtDesktopPort> qtDesktop_;
    base::UserPort* port_;
    ShellPort* shell_;
    DesktopPort* desktopPort_;
    std::unique_ptr<ScratchFolder> scratch_;
    std::unique_ptr<DesktopContext> desktop_;
    std::unique_ptr<HelpKey> helpKey_;
    std::unique_ptr<EditDocument> document_;
    GuiContext context_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<core::ListSession> session_;
    std::unique_ptr<CommandContext> commandContext_;
    CommandSet* commands_ = nullptr;  // owned by the window
    TrayIcon* tray_ = nullptr;        // owned by the window
    bool restartRequested_ = false;
};

}  // namespace tw::gui
