// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/shell/qt_desktop_port.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QSystemTrayIcon>

namespace tw::gui {

namespace {

// xdg-mime answers at once; a desktop that takes longer is not worth freezing the window.
constexpr int kQueryTimeoutMs = 3000;

}  // namespace

void QtDesktopPort::openUrl(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

QString QtDesktopPort::defaultApplicationEntry(const QString& file) {
    const QString mimeType = QMimeDatabase().mimeTypeForFile(file).name();
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForFinished(kQueryTimeoutMs) || query.exitStatus() != QProcess::NormalExit ||
        query.exitCode() != 0) {
        query.kill();
        query.waitForFinished(kQueryTimeoutMs);
        return {};
    }
    // The first line names the entry ("player.desktop"); it lives in an applications folder.
    const QString entryId =
        QString::fromUtf8(query.readAllStandardOutput()).section(QLatin1Char('\n'), 0, 0).trimmed();
    if (entryId.isEmpty() || entryId.contains(QLatin1Char('/')))
        return {};
    return QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entryId);
}

bool QtDesktopPort::startProgram(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

void QtDesktopPort::callFileManager(const QString& method, const QStringList& uris,
                                    std::function<void(bool taken)> done) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        done(false);
        return;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.FileManager1"),
                                       QStringLiteral("/org/freedesktop/FileManager1"),
                                       QStringLiteral("org.freedesktop.FileManager1"), method);
    call << uris << QString();  // no start-up notification id
    // Asynchronous: the bus may start the file manager first, which can take a while.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));  // deletes itself
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [done = std::move(done)](QDBusPendingCallWatcher* finished) {
                         done(!finished->isError());
                         finished->deleteLater();
                     });
}

bool QtDesktopPort::systemTrayAvailable() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

}  // namespace tw::gui
