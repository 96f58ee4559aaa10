// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "gui/shell/desktop_port.h"

namespace tw::test {

// A DesktopPort for window tests: records every call and answers from its members. What a
// local file handed to the default handler held at that moment (a playlist, the hot keys
// page) is kept with the call, since the program may replace or remove it afterwards.
class ScriptedDesktopPort : public gui::DesktopPort {
public:
    struct Opened {
        QUrl url;
        std::string text;  // the file's contents when it was opened; empty for folders
    };
    std::vector<Opened> opened;
    // Every call in order: "open:<url>", "entry:<file>", "start:<program> <arg>...",
    // "file-manager:<method> <uri>...".
    std::vector<std::string> log;

    bool opens = true;             // answer of openUrl
    QString defaultEntry;          // answer of defaultApplicationEntry
    bool programsStart = true;     // answer of startProgram
    bool fileManagerTakes = true;  // what callFileManager reports
    bool trayAvailable = false;    // answer of systemTrayAvailable

    bool openUrl(const QUrl& url) override;
    QString defaultApplicationEntry(const QString& file) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    void callFileManager(const QString& method, const QStringList& uris,
                         std::function<void(bool taken)> done) override;
    bool systemTrayAvailable() override { return trayAvailable; }
};

}  // namespace tw::test
