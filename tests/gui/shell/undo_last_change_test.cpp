// SPDX-License-Identifier: GPL-2.0-or-later
// "Undo Last Save or Renaming" of the tags menu, driven as a user drives it: a save of every
// selected file, one of them changed by another program, the question answered no, then
// yes; the files are checked on disk and the list shows what they hold again.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QtTest>
#include <algorithm>
#include <map>
#include <string>

#include "base/string_ids.h"
#include "core/file_list.h"
#include "gui/actions/main_menu.h"
#include "gui/app/application.h"
#include "gui/mainwindow/main_window.h"
#include "gui/support/app_harness.h"
#include "gui/support/user_input.h"
#include "gui/views/suggestion_field.h"
#include "gui/views/tag_tabs_view.h"
#include "support/bytes.h"

namespace ids = tw::base::ids;
using tw::test::Bytes;

namespace {

bool logged(const tw::test::AppHarness& h, const std::string& line) {
    return std::find(h.port.log.begin(), h.port.log.end(), line) != h.port.log.end();
}

}  // namespace

class UndoLastChangeTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theLastSaveIsUndoneButForAFileChangedSince() {
        tw::test::AppHarness h;
        std::map<std::string, Bytes> before;
        for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
            before[name] = tw::test::readBytes(h.addFile(name, name));
        QVERIFY(h.start() && QTest::qWaitForWindowActive(&h.window()));
        tw::gui::MainWindow& window = h.window();
        QAction* undo = h.action(ids::kCmdUndoLastChange);
        QVERIFY(window.mainMenu()->popup(3)->actions().contains(undo));
        QVERIFY(!h.isEnabled(ids::kCmdUndoLastChange));

        // Every file is selected at the start: the album goes into all three.
        QTest::mouseClick(&tw::test::tagEditor(window.tagTabs(), "album"), Qt::LeftButton);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Album"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(h.app().list().countDirty(), 0);
        QVERIFY(h.isEnabled(ids::kCmdUndoLastChange));
        const tw::test::Bytes saved = tw::test::readBytes(h.music / "a.mp3");
        QVERIFY(saved != before["a.mp3"]);
        Bytes changed = tw::test::readBytes(h.music / "c.mp3");
        changed[changed.size() - 20] ^= 1;  // in its ID3v1 comment
        tw::test::writeBytes(h.music / "c.mp3", changed);

        h.port.answers = {tw::base::UserPort::Answer::No};
        QVERIFY(h.trigger(ids::kCmdUndoLastChange));
        QVERIFY(logged(h, "ask:Put back the tags the last save wrote into 2 file(s)?"));
        QCOMPARE(tw::test::readBytes(h.music / "a.mp3"), saved);

        h.port.answers = {tw::base::UserPort::Answer::Yes};
        QVERIFY(h.trigger(ids::kCmdUndoLastChange));
        QCOMPARE(tw::test::readBytes(h.music / "a.mp3"), before["a.mp3"]);
        QCOMPARE(tw::test::readBytes(h.music / "b.mp3"), before["b.mp3"]);
        QCOMPARE(tw::test::readBytes(h.music / "c.mp3"), changed);
        QCOMPARE(h.port.failedFiles.size(), std::size_t{1});
        QVERIFY(h.port.failedFiles[0].find("c.mp3: it was changed since the save") !=
                std::string::npos);
        QCOMPARE(h.app().list().at(0).id3v1.album, std::string());
        QCOMPARE(h.app().list().at(2).id3v1.album, std::string("Album"));
        QVERIFY(!h.isEnabled(ids::kCmdUndoLastChange));
    }
};

QTEST_MAIN(UndoLastChangeTest)
#include "undo_last_change_test.moc"
