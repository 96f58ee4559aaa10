// SPDX-License-Identifier: GPL-2.0-or-later
// tunewright: the desktop tag editor.
#include <QApplication>
#include <QProcess>
#include <iostream>
#include <string_view>

#include "base/app_paths.h"
#include "base/language.h"
#include "base/qt/qsettings_store.h"
#include "base/string_ids.h"
#include "gui/app/application.h"
#include "gui/common/product_icon.h"
#include "gui/product.h"

namespace {

constexpr const char* kUsage =
    "Usage: tunewright [FILE-OR-FOLDER]\n"
    "Edit the tags of MP3 files. The window lists every MP3 file of a folder with its stream\n"
    "facts, its ID3v1 and ID3v2 fields and its lyrics; edit one file or many, in the list or\n"
    "in the tag tabs, and save. Batch tools rename files from their tags, fill tags from file\n"
    "names, change letter case, number tracks, write playlists, export the list, and look\n"
    "albums up in CDDB databases. F1 opens the help of the window you are in.\n"
    "\n"
    "Without an argument the window opens the last work folder; with a folder it opens that\n"
    "folder, with an MP3 file its folder with the file selected.\n"
    "\n"
    "Options:\n"
    "  --help       show this text and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "Files:\n"
    "  ~/.config/Tunewright/Tunewright.conf  the settings\n"
    "  ~/.local/share/tunewright/            your own language files (Lng/) and templates\n"
    "  ~/.local/state/tunewright/            the undo journal of saves in progress\n"
    "\n"
    "tunewright-cli does the same work from the shell, for scripts.\n";

}  // namespace

int main(int argc, char* argv[]) {
    // Answered before the window system is asked for, so they work without a display (the
    // manual page is made from them at build time).
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--version") {
            std::cout << tw::gui::productName().toStdString() << ' '
                      << tw::gui::productVersion().toStdString() << '\n';
            return 0;
        }
        if (std::string_view(argv[i]) == "--help") {
            std::cout << kUsage;
            return 0;
        }
    }
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(tw::gui::productName());
    QApplication::setOrganizationName(tw::gui::productName());
    QApplication::setDesktopFileName(tw::gui::desktopEntryId());
    QApplication::setWindowIcon(tw::gui::productIcon());

    tw::base::QSettingsStore store;
    tw::base::initAppPaths(argv[0]);

    int result = 0;
    bool restart = false;
    {
        tw::gui::Application app(store);
        QStringList arguments = QApplication::arguments();
        arguments.removeFirst();
        if (!app.initInstance(arguments))
            return 1;
        result = QApplication::exec();
        app.exitInstance();
        restart = app.restartRequested();
    }
    if (!store.sync())
        std::cerr << tw::base::tr(tw::base::ids::kMsgSettingsNotSaved) << '\n';
    if (restart)
        QProcess::startDetached(QApplication::applicationFilePath(), {});
    return result;
}
