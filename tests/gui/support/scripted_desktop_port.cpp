// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/support/scripted_desktop_port.h"

#include <QFile>
#include <QFileInfo>

namespace tw::test {

bool ScriptedDesktopPort::openUrl(const QUrl& url) {
    log.push_back("open:" + url.toString().toStdString());
    std::string text;
    if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile()) {
        QFile file(url.toLocalFile());
        if (file.open(QIODevice::ReadOnly))
            text = file.readAll().toStdString();
    }
    opened.push_back({url, text});
    return opens;
}

QString ScriptedDesktopPort::defaultApplicationEntry(const QString& file) {
    log.push_back("entry:" + file.toStdString());
    return defaultEntry;
}

bool ScriptedDesktopPort::startProgram(const QString& program, const QStringList& arguments) {
    std::string line = "start:" + program.toStdString();
    for (const QString& argument : arguments)
        line += ' ' + argument.toStdString();
    log.push_back(line);
    return programsStart;
}

void ScriptedDesktopPort::callFileManager(const QString& method, const QStringList& uris,
                                          std::function<void(bool taken)> done) {
    std::string line = "file-manager:" + method.toStdString();
    for (const QString& uri : uris)
        line += ' ' + uri.toStdString();
    log.push_back(line);
    done(fileManagerTakes);
}

}  // namespace tw::test
