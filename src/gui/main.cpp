// SPDX-License-Identifier: GPL-2.0-or-later
// tunewright: the desktop tag editor.
#include <QApplication>
#include <QProcess>
#include <iostream>
#include <string_view>

#include "base/app_paths.h"
#include "base/qt/qsettings_store.h"
#include "gui/app/application.h"
#include "gui/app/product_icon.h"
#include "gui/product.h"

int main(int argc, char* argv[]) {
    // Answered before the window system is asked for, so it works without a display.
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--version") {
            std::cout << tw::gui::productName().toStdString() << ' '
                      << tw::gui::productVersion().toStdString() << '\n';
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
    store.sync();
    if (restart)
        QProcess::startDetached(QApplication::applicationFilePath(), {});
    return result;
}
