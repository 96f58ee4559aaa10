// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/shell/qt_desktop_port.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <optional>

namespace tw::gui {

namespace {

// xdg-mime answers at once; a desktop that takes longer is not worth freezing the window.
constexpr int kQueryTimeoutMs = 3000;

// The desktop entry xdg-mime names as the default handler of `mimeType` ("" for none), or
// nothing when it cannot tell (no xdg-mime, no answer in time).
std::optional<QString> defaultEntryId(const QString& mimeType) {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForFinished(kQueryTimeoutMs) || query.exitStatus() != QProcess::NormalExit ||
        query.exitCode() != 0) {
        query.kill();
        query.waitForFinished(kQueryTimeoutMs);
        return std::nullopt;
    }
    // The first line names the entry ("player.desktop").
    return QString::fromUtf8(query.readAllStandardOutput())
        .section(QLatin1Char('\n'), 0, 0)
        .trimmed();
}

QString handlerType(const QUrl& url) {
    if (!url.isLocalFile())
        return QStringLiteral("x-scheme-handler/") + url.scheme();
    const QString path = url.toLocalFile();
    return QFileInfo(path).isDir() ? QStringLiteral("inode/directory")
                                   : QMimeDatabase().mimeTypeForFile(path).name();
}

}  // namespace

bool QtDesktopPort::openUrl(const QUrl& url) {
    // Qt hands the address to xdg-open and reports success once that has started, even
    // where xdg-open then finds no handler; so ask first whether there is one.
    const std::optional<QString> handler = defaultEntryId(handlerType(url));
    if (handler && handler->isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}

QString QtDesktopPort::defaultApplicationEntry(const QString& file) {
    const std::optional<QString> entryId =
        defaultEntryId(QMimeDatabase().mimeTypeForFile(file).name());
    if (!entryId || entryId->isEmpty() || entryId->contains(QLatin1Char('/')))
        return {};
    // It lives in an applications folder.
    return QStandardPaths::locate(QStandardPaths::ApplicationsLocation, *entryId);
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
