// SPDX-License-Identifier: GPL-2.0-or-later
// tunewright-help-shots MUSIC_FOLDER DATA_FOLDER [PICTURE...]
//
// Starts the program on the MP3 files of MUSIC_FOLDER (with its own empty settings, so the
// user's stay untouched), opens its windows one after the other as a user would, and saves
// each as DATA_FOLDER/<folder>/<picture>.png. Without PICTURE names it takes every picture
// of kShots. Meant for the offscreen platform (scripts/make-help-screenshots).
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QPointer>
#include <QSet>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <string>
#include <vector>

#include "base/app_paths.h"
#include "base/memory_settings_store.h"
#include "base/string_ids.h"
#include "cddb_example.h"
#include "core/file_list.h"
#include "gui/actions/command_set.h"
#include "gui/app/application.h"
#include "gui/common/gui_user_port.h"
#include "gui/document/edit_document.h"
#include "gui/mainwindow/main_window.h"

namespace {

namespace ids = tw::base::ids;

constexpr const char* kHelpPictures = "help/images";
// The pictures the AppStream record names, for software centres; they ask for 16:9.
constexpr const char* kStorePictures = "screenshots";
constexpr QSize kHelpMainWindowSize(1000, 680);
constexpr QSize kStoreMainWindowSize(1360, 765);

// One picture: the window a command opens (0: the main window itself, at `size`), and the
// actions to take, by their labels without "&", in each window that opens on the way to it.
// Adding a window's picture is one line here.
struct Shot {
    const char* picture;
    int command;
    std::vector<const char*> then;
    const char* folder = kHelpPictures;
    QSize size = kHelpMainWindowSize;
};

const Shot kShots[] = {
    {"main_window", 0, {}},
    {"file_info", ids::kCmdFileInfo, {}},
    {"renaming", ids::kCmdAdvancedRenaming, {}},
    {"filename_to_tag", ids::kCmdFilenameToTag, {}},
    {"change_case", ids::kCmdChangeTitleCase, {}},
    {"album_window", ids::kCmdGetCdInfo, {}},
    {"freedb_settings", ids::kCmdGetCdInfo, {"Settings..."}},
    {"playlist", ids::kCmdCreatePlaylist, {}},
    {"export", ids::kCmdExportHtml, {}},
    {"export_template", ids::kCmdExportTemplateHtml, {}},
    {"main_window", 0, {}, kStorePictures, kStoreMainWindowSize},
};

constexpr int kFilesShown = 6;
// Long enough for a window to lay itself out and for the album lookup to end.
constexpr int kSettleMs = 1500;
constexpr int kPollMs = 100;
constexpr int kMaxPolls = 100;

QString plainLabel(const QString& text) {
    return QString(text).remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
}

// An action of the window's menus, toolbars or its own, as the user finds it there.
QAction* actionLabelled(QWidget& window, const QString& label) {
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (QWidget* widget : widgets)
        for (QAction* action : widget->actions())
            if (plainLabel(action->text()) == label && action->isEnabled())
                return action;
    return nullptr;
}

QWidget* newWindow(const QSet<QWidget*>& known) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = widget->windowType();
        if (widget->isVisible() && !known.contains(widget) &&
            (type == Qt::Window || type == Qt::Dialog))
            return widget;
    }
    return nullptr;
}

class ShotTaker {
public:
    ShotTaker(tw::gui::Application& app, QString folder) : app_(app), folder_(std::move(folder)) {}

    bool take(const Shot& shot) {
        if (shot.command == 0) {
            app_.window().resize(shot.size);
            // The splitters and columns settle into the new size.
            QEventLoop settle;
            QTimer::singleShot(kSettleMs, &settle, &QEventLoop::quit);
            settle.exec();
            return save(app_.window(), shot);
        }
        QSet<QWidget*> known;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->isVisible())
                known.insert(widget);
        std::vector<QPointer<QWidget>> opened;
        std::size_t step = 0;
        int polls = 0;
        bool saved = false;
        QEventLoop loop;
        QTimer poll;
        poll.setInterval(kPollMs);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* window = newWindow(known);
            if (!window) {
                if (++polls > kMaxPolls)
                    loop.quit();
                return;
            }
            known.insert(window);
            opened.emplace_back(window);
            polls = 0;
            if (step < shot.then.size()) {
                QAction* action = actionLabelled(*window, QString::fromUtf8(shot.then[step++]));
                if (!action) {
                    std::fprintf(stderr, "%s: no action \"%s\"\n", shot.picture,
                                 shot.then[step - 1]);
                    closeAll(opened);
                    loop.quit();
                    return;
                }
                QTimer::singleShot(kSettleMs, action, &QAction::trigger);
                return;
            }
            poll.stop();
            QTimer::singleShot(kSettleMs, [&, window = QPointer<QWidget>(window)] {
                saved = window && save(*window, shot);
                closeAll(opened);
                loop.quit();
            });
        });
        QTimer::singleShot(0, [&] {
            poll.start();
            app_.commands().trigger(shot.command);
        });
        loop.exec();
        return saved;
    }

private:
    static void closeAll(std::vector<QPointer<QWidget>>& windows) {
        for (auto it = windows.rbegin(); it != windows.rend(); ++it)
            if (*it)
                (*it)->close();
    }

    bool save(QWidget& window, const Shot& shot) const {
        const QString folder = folder_ + QLatin1Char('/') + QString::fromUtf8(shot.folder);
        const QString path =
            folder + QLatin1Char('/') + QString::fromUtf8(shot.picture) + QStringLiteral(".png");
        if (!QDir().mkpath(folder))
            return false;
        const bool saved = window.grab().save(path, "PNG");
        std::fprintf(stderr, "%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
        return saved;
    }

    tw::gui::Application& app_;
    QString folder_;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication qtApp(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: tunewright-help-shots MUSIC_FOLDER DATA_FOLDER [PICTURE...]\n");
        return 2;
    }
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QString music = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    const QString out = QString::fromLocal8Bit(argv[2]);
    QStringList wanted;
    for (int i = 3; i < argc; ++i)
        wanted << QString::fromLocal8Bit(argv[i]);

    // The program's own data from beside this tool; everything of the user's in a folder
    // that goes away afterwards.
    QTemporaryDir home;
    tw::base::initAppPaths(argv[0]);
    tw::base::AppPaths paths = tw::base::appPaths();
    paths.userDataFolder = home.path().toStdString() + "/data";
    paths.userConfigFolder = home.path().toStdString() + "/config";
    tw::base::setAppPaths(paths);

    tw::base::MemorySettingsStore store;
    store.setString("Settings", "D", music.toStdString());
    tw::gui::GuiUserPort quietPort;
    int failures = 0;
    {
        tw::gui::Application app(store);
        if (!app.initInstance({}))
            return 1;
        tw::gui::MainWindow& window = app.window();
        window.resize(kHelpMainWindowSize);
        window.show();
        tw::core::FileList& list = app.list();
        // From the second file on, since the first of a generated folder has no tags.
        list.selectOnly(1);
        for (int i = 2; i <= std::min(kFilesShown, list.size() - 1); ++i)
            list.selectAdd(i);
        Q_EMIT app.document().selectionChanged();
        tw::help_shots::prepareCddbExample(list, store, quietPort);

        ShotTaker taker(app, out);
        for (const Shot& shot : kShots)
            if (wanted.isEmpty() || wanted.contains(QString::fromUtf8(shot.picture)))
                failures += taker.take(shot) ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}
