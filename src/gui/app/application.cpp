// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/app/application.h"

#include <QApplication>
#include <QFileInfo>
#include <QTranslator>
#include <cstdio>

#include "base/language_menu.h"
#include "base/settings_store.h"
#include "base/string_ids.h"
#include "core/app_options.h"
#include "core/list_session.h"
#include "core/undo_rollback.h"
#include "gui/actions/command_set.h"
#include "gui/app/qt_shell_port.h"
#include "gui/app/qt_translation.h"
#include "gui/app/window_help_pages.h"
#include "gui/commands/command_context.h"
#include "gui/commands/command_handlers.h"
#include "gui/common/gui_user_port.h"
#include "gui/common/list_opening.h"
#include "gui/common/wait_cursor.h"
#include "gui/common/window_placement.h"
#include "gui/document/edit_document.h"
#include "gui/mainwindow/main_window.h"
#include "gui/mainwindow/status_panes.h"
#include "gui/mainwindow/tray_icon.h"
#include "gui/qt_text.h"
#include "gui/shell/desktop_context.h"
#include "gui/shell/help_pages.h"
#include "gui/shell/qt_desktop_port.h"
#include "gui/shell/scratch_folder.h"

namespace tw::gui {

namespace {

std::vector<std::string> toStrings(const QStringList& list) {
    std::vector<std::string> result;
    for (const QString& item : list)
        result.push_back(utf8(item));
    return result;
}

}  // namespace

Application::Application(base::SettingsStore& settings, ApplicationPorts ports)
    : settings_(settings),
      guiPort_(ports.user ? nullptr : std::make_unique<GuiUserPort>()),
      qtShell_(ports.shell ? nullptr : std::make_unique<QtShellPort>()),
      qtDesktop_(ports.desktop ? nullptr : std::make_unique<QtDesktopPort>()),
      port_(ports.user ? ports.user : guiPort_.get()),
      shell_(ports.shell ? ports.shell : qtShell_.get()),
      desktopPort_(ports.desktop ? ports.desktop : qtDesktop_.get()),
      scratch_(std::make_unique<ScratchFolder>()),
      desktop_(std::make_unique<DesktopContext>(DesktopContext{*desktopPort_, *scratch_, *port_})),
      helpKey_(std::make_unique<HelpKey>(*desktopPort_, *port_, windowHelpPages())),
      document_(std::make_unique<EditDocument>(list_, *port_)),
      context_{list_, core::options(), settings, *port_, *document_} {
    QApplication::instance()->installEventFilter(helpKey_.get());
}

Application::~Application() = default;

bool Application::initInstance(const QStringList& arguments) {
    // The settings store and the program folder are the caller's; the language comes first,
    // so every window is made with its texts, Qt's own ones included.
    base::activateStoredLanguage(settings_);
    if (const auto locale = interfaceLocale())
        qtTranslation_ = installQtTranslation(*locale);
    // A save that a kill cut off is undone before any file is read.
    core::rollBackInterruptedSaves(*port_);

    const QString argument = arguments.isEmpty() ? QString() : arguments.first();
    if (!argument.isEmpty() && !QFileInfo::exists(argument)) {
        std::fprintf(stderr, "%s\n",
                     base::trf(base::ids::kMsgCannotOpenArgument, utf8(argument)).c_str());
        return false;
    }

    WaitCursor wait;
    core::AppOptions& options = context_.options;
    options.load(settings_);
    core::SetCurrentFolder(options, options.workFolder);
    createWindow();
    window_->updateTitle();
    restoreWindowPlacement(*window_, settings_);
    openStartFolder(argument);
    return true;
}

void Application::createWindow() {
    window_ = std::make_unique<MainWindow>(context_);
    if (guiPort_) {
        guiPort_->setParentWindow(window_.get());
        guiPort_->setDesktopPort(desktopPort_);
        guiPort_->setStatusSink(
            [this](const QString& message) { window_->statusPanes().showMessage(message); });
    }
    if (qtShell_)
        qtShell_->setParentWindow(window_.get());

    session_ =
        std::make_unique<core::ListSession>(list_, context_.options, *port_, document_.get());
    commands_ = new CommandSet(window_.get());  // owned by the window
    tray_ = new TrayIcon(*window_, *commands_, context_.options, *desktopPort_);  // likewise
    commandContext_ = std::make_unique<CommandContext>(CommandContext{
        context_, *session_, *shell_, *window_, [this] { restartRequested_ = true; }, *desktop_});
    defineAllCommands(*commands_, *commandContext_);
    // A command's outcome is its own: an earlier one's success must not stand beside it.
    QObject::connect(commands_, &CommandSet::commandStarting, window_.get(),
                     [this] { window_->statusPanes().showReady(); });
    window_->installCommands(*commands_);

    window_->setCloseGuard([this] { return document_->confirmClose(); });
    // The tree and drops change the list like commands do, and like them never while other
    // work is running (its progress window lets the events that carry them through).
    QObject::connect(
        window_.get(), &MainWindow::folderActivated, window_.get(), [this](const QString& folder) {
            // Refused, or the user kept the list: the tree shows the work
            // folder again.
            bool opened = false;
            (void)commands_->runExclusive([&] { opened = session_->openFolder(utf8(folder)); });
            if (!opened)
                window_->folderTreeChanged();
        });
    // A drop is handled once the drag has ended, not inside the drop event.
    QObject::connect(
        window_.get(), &MainWindow::itemsDropped, window_.get(),
        [this](const QStringList& paths) {
            // A drop while other work runs is ignored, as a command would be; one the user
            // declined leaves the list as it was.
            (void)commands_->runExclusive([&] { (void)openDropped(*session_, toStrings(paths)); });
        },
        Qt::QueuedConnection);
}

void Application::openStartFolder(const QString& argument) {
    core::AppOptions& options = context_.options;
    (void)commands_->runExclusive([&] {  // nothing else runs yet to refuse it
        if (argument.isEmpty()) {
            core::SetCurrentFolder(options, core::existingWorkFolder(options.workFolder));
            window_->updateTitle();
            window_->folderTreeChanged();
            // Here and below, an unreadable folder or file is told by the session or listed.
            (void)session_->scanFolder(options.workFolder, true);
        } else if (QFileInfo(argument).isDir()) {
            (void)session_->scanFolder(utf8(argument), true);
        } else {
            (void)session_->openFile(utf8(argument), false);
        }
    });
}

void Application::exitInstance() {
    context_.options.save(settings_);
}

}  // namespace tw::gui
