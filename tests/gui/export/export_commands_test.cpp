// SPDX-License-Identifier: GPL-2.0-or-later
// The "Export" menu from the main window, end to end: each command from its menu item, its
// hot key and (the playlist) its toolbar button, with its enabling rule.
//
// With TW_E2E_FOLDER naming a folder of MP3 files (a make-corpus folder), its first three
// files stand in for the generated ones.
#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QtTest>
#include <algorithm>
#include <filesystem>

#include "base/string_ids.h"
#include "core/file_list.h"
#include "gui/app/application.h"
#include "gui/document/edit_document.h"
#include "gui/mainwindow/main_window.h"
#include "gui/support/app_harness.h"
#include "gui/support/modal_answer.h"
#include "support/file_text.h"

namespace ids = tw::base::ids;
namespace fs = std::filesystem;
using tw::test::AppHarness;
using tw::test::clickButton;
using tw::test::ModalAnswer;

namespace {

constexpr int kExportCommands[] = {ids::kCmdExportHtml, ids::kCmdExportTemplateHtml,
                                   ids::kCmdExportRtf, ids::kCmdExportTemplateRtf};

// Three files of the corpus named by TW_E2E_FOLDER, else three generated ones.
void addFiles(AppHarness& h) {
    if (!h.addCorpusFiles(3).empty())
        return;
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
        h.addFile(name, name);
}

// The files of the music folder with this extension.
std::vector<fs::path> written(const AppHarness& h, const char* extension) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(h.music.path()))
        if (entry.path().extension() == extension)
            found.push_back(entry.path());
    return found;
}

// The main window active again once a window over it closed, as the desktop makes it (the
// offscreen platform leaves no window active then).
bool activate(QWidget& window) {
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// Does what opens a window (a key, a click) and returns the title of the window it opens, which is
// then left with Escape.
QString titleOpenedBy(const std::function<void()>& press) {
    QString title;
    ModalAnswer look([&title](QWidget& window) {
        title = window.windowTitle();
        QTest::keyClick(&window, Qt::Key_Escape);
    });
    press();
    return look.answered() ? title : QString();
}

}  // namespace

class ExportCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The exports want files in the list; the playlist a selected one.
    void theCommandsWaitForFiles() {
        AppHarness empty;
        QVERIFY(empty.start());
        QVERIFY(QTest::qWaitForWindowActive(&empty.window()));
        for (int id : kExportCommands)
            QVERIFY2(!empty.isEnabled(id), qPrintable(QString::number(id)));
        QVERIFY(!empty.isEnabled(ids::kCmdCreatePlaylist));
        QVERIFY(titleOpenedBy([&] {
                    QTest::keyClick(&empty.window(), Qt::Key_F6, Qt::ShiftModifier);
                }).isEmpty());

        AppHarness h;
        addFiles(h);
        QVERIFY(h.start());
        h.app().list().selectAll();
        h.app().list().invertSelection();
        for (int id : kExportCommands)
            QVERIFY(h.isEnabled(id));
        QVERIFY(!h.isEnabled(ids::kCmdCreatePlaylist));
        QVERIFY(!h.trigger(ids::kCmdCreatePlaylist));
    }

    void everyCommandOpensFromMenuToolbarAndKey() {
        AppHarness h;
        addFiles(h);
        QVERIFY(h.start());
        h.app().document().selectAll();
        tw::gui::MainWindow& window = h.window();
        QVERIFY(activate(window));

        // Shift+F5 writes a playlist of the selected files.
        ModalAnswer ok([](QWidget& dialog) { clickButton(dialog, QStringLiteral("OK")); });
        QTest::keyClick(&window, Qt::Key_F5, Qt::ShiftModifier);
        QVERIFY(ok.answered());
        const std::vector<fs::path> playlists = written(h, ".m3u");
        QCOMPARE(playlists.size(), std::size_t{1});
        QVERIFY(tw::test::fileText(playlists.front()).rfind("#EXTM3U\r\n", 0) == 0);
        QCOMPARE(h.port.log.back(), std::string("status:Completed successfully"));

        auto* button = qobject_cast<QAbstractButton*>(
            window.mainBar().widgetForAction(h.action(ids::kCmdCreatePlaylist)));
        QVERIFY(button);
        QCOMPARE(titleOpenedBy([&] { QTest::mouseClick(button, Qt::LeftButton); }),
                 QStringLiteral("Playlist Creation"));

        // The menu items and the hot keys open the sheet of their kind.
        const QList<QAction*> menu = window.menuBar()->actions().at(4)->menu()->actions();
        const std::pair<int, Qt::Key> keys[] = {
            {ids::kCmdExportHtml, Qt::Key_F6},
            {ids::kCmdExportTemplateHtml, Qt::Key_F7},
            {ids::kCmdExportRtf, Qt::Key_F8},
            {ids::kCmdExportTemplateRtf, Qt::Key_F9},
        };
        const char* captions[] = {"Export as HTML", "Export into HTML using Template",
                                  "Export as RTF", "Export as RTF"};
        for (std::size_t i = 0; i < std::size(keys); ++i) {
            const int id = keys[i].first;
            const Qt::Key key = keys[i].second;
            QVERIFY(menu.contains(h.action(id)));
            const QString caption = QString::fromLatin1(captions[i]);
            QCOMPARE(titleOpenedBy([&] { h.action(id)->trigger(); }), caption);
            QVERIFY(activate(window));
            QCOMPARE(titleOpenedBy([&] { QTest::keyClick(&window, key, Qt::ShiftModifier); }),
                     caption);
        }
        QVERIFY(written(h, ".html").empty() && written(h, ".rtf").empty());

        // An export writes the whole list and hands it to the desktop to open.
        QVERIFY(activate(window));
        ModalAnswer exportRtf([](QWidget& sheet) { clickButton(sheet, QStringLiteral("Export")); });
        QTest::keyClick(&window, Qt::Key_F8, Qt::ShiftModifier);
        QVERIFY(exportRtf.answered());
        const std::string rtf = (h.music / "Export.rtf").string();
        QCOMPARE(h.port.opened, std::vector<std::string>{rtf});
        const std::string text = tw::test::fileText(rtf);
        // (RTF writes other characters as escapes.)
        for (int row = 0; row < h.app().list().size(); ++row) {
            const std::string& name = h.app().list().at(row).fileName;
            if (std::all_of(name.begin(), name.end(), [](char c) { return c > 0; }))
                QVERIFY(text.find(name) != std::string::npos);
        }
    }
};

QTEST_MAIN(ExportCommandsTest)
#include "export_commands_test.moc"
