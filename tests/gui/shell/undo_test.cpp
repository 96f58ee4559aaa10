// SPDX-License-Identifier: GPL-2.0-or-later
// Undo and redo of the edits not yet saved, driven as a user drives them: typing into the
// fields of several files, the batch commands, the keys and the menu, then saving.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include "base/string_ids.h"
#include "core/audio_file.h"
#include "core/file_list.h"
#include "gui/app/application.h"
#include "gui/document/edit_document.h"
#include "gui/mainwindow/main_window.h"
#include "gui/mainwindow/status_panes.h"
#include "gui/support/app_harness.h"
#include "gui/support/user_input.h"
#include "gui/views/file_list_view.h"
#include "gui/views/genre_selector.h"
#include "gui/views/suggestion_field.h"
#include "gui/views/tag_tabs_view.h"
#include "support/bytes.h"

namespace ids = tw::base::ids;
using tw::gui::MainWindow;
using tw::test::AppHarness;
using tw::test::clickRow;
using tw::test::Id3v1Spec;
using tw::test::tagEditor;

namespace {

void type(MainWindow& window, const char* field, const QString& text) {
    QTest::mouseClick(&tagEditor(window.tagTabs(), field), Qt::LeftButton);
    QTest::keyClicks(QApplication::focusWidget(), text);
}

void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QTest::keyClick(QApplication::focusWidget(), k, modifiers);
}

// Three files with an ID3v1 tag each; b and c are selected.
struct ThreeFiles {
    AppHarness h;
    std::map<std::string, tw::test::Bytes> before;

    ThreeFiles() {
        const std::pair<const char*, Id3v1Spec> files[] = {
            {"a.mp3", {"Alpha", "Ann", "One", "1990", "first", {}, 17}},
            {"b.mp3", {"Beta", "Bob", "Two", "2001", "second", {}, 13}},
            {"c.mp3", {"Gamma", "Cy", "Three", "2002", "third", {}, 13}},
        };
        for (const auto& [name, tag] : files)
            before[name] = tw::test::readBytes(h.addFile(name, tag));
    }
    bool start() {
        if (!h.start() || !QTest::qWaitForWindowActive(&h.window()))
            return false;
        clickRow(window().fileList(), 1);
        QTest::keyClick(&window().fileList(), Qt::Key_Down, Qt::ShiftModifier);
        return h.listText() == "a.mp3 b.mp3* c.mp3*";
    }
    MainWindow& window() { return h.window(); }
    tw::core::FileList& list() { return h.app().list(); }
    QString undoText() { return h.action(ids::kCmdUndo)->text(); }
    QString redoText() { return h.action(ids::kCmdRedo)->text(); }
    QString counts() { return window().statusPanes().countsText(); }
    std::string albums() {
        std::string text;
        for (int i = 0; i < list().size(); ++i)
            text += list().at(i).id3v1.album + (list().at(i).dirty() ? "* " : " ");
        return text;
    }
};

}  // namespace

class UndoTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typingIsOneStepPerFieldAndUndoFollowsTheMarksAndTheDisk() {
        ThreeFiles t;
        QVERIFY(t.start());
        MainWindow& window = t.window();
        QVERIFY(!t.h.isEnabled(ids::kCmdUndo));
        QCOMPARE(t.undoText(), QStringLiteral("&Undo\tCtrl+Z"));

        type(window, "album", QStringLiteral("New"));
        type(window, "artist", QStringLiteral("Zed"));
        // The wheel over a field changes nothing, so it is no step either.
        auto* genre = window.tagTabs().findChild<tw::gui::GenreSelector*>(QStringLiteral("genre"));
        tw::test::wheelOver(*genre);
        window.fileList().setFocus();
        QCOMPARE(t.undoText(), QStringLiteral("&Undo Set Artist in 2 files\tCtrl+Z"));
        QCOMPARE(t.albums(), std::string("One New* New* "));
        QCOMPARE(t.counts(), QStringLiteral("2 selected | 2 changed | 3 files"));

        key(Qt::Key_Z);
        QCOMPARE(t.list().at(1).id3v1.artist, std::string("Bob"));
        QCOMPARE(t.undoText(), QStringLiteral("&Undo Set Album in 2 files\tCtrl+Z"));
        QCOMPARE(t.redoText(), QStringLiteral("&Redo Set Artist in 2 files\tCtrl+Y"));
        key(Qt::Key_Z);
        // Every edit taken back: the files are as read, unmarked.
        QCOMPARE(t.albums(), std::string("One Two Three "));
        QCOMPARE(t.counts(), QStringLiteral("2 selected | 0 changed | 3 files"));
        QVERIFY(!t.h.isEnabled(ids::kCmdUndo) && !t.h.isEnabled(ids::kCmdSaveChanges));
        QCOMPARE(tagEditor(window.tagTabs(), "album").placeholderText().isEmpty(), false);

        key(Qt::Key_Y);
        QCOMPARE(t.albums(), std::string("One New* New* "));
        QCOMPARE(tagEditor(window.tagTabs(), "album").text(), QStringLiteral("New"));
        key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(t.list().at(2).id3v1.artist, std::string("Zed"));
        QVERIFY(!t.h.isEnabled(ids::kCmdRedo));
        key(Qt::Key_Z);  // the artist back; the album stays to be saved

        key(Qt::Key_S);
        QCOMPARE(t.list().countDirty(), 0);
        QVERIFY(!t.h.isEnabled(ids::kCmdUndo) && !t.h.isEnabled(ids::kCmdRedo));
        QCOMPARE(t.undoText(), QStringLiteral("&Undo\tCtrl+Z"));
        QVERIFY(tw::test::readBytes(t.h.music / "a.mp3") == t.before["a.mp3"]);
        for (const char* name : {"b.mp3", "c.mp3"}) {
            const auto file = t.h.reread(name);
            QCOMPARE(file->id3v1.album + "|" + file->id3v2.album, std::string("New|New"));
            QCOMPARE(file->id3v1.artist, std::string(name[0] == 'b' ? "Bob" : "Cy"));
        }
    }

    // Inside a field being typed in, Ctrl+Z takes back the field's whole edit: the field's
    // own undo would bring back the empty text that stands for differing values and write
    // it into every file.
    void ctrlZInAFieldTakesBackTheFieldsEdit() {
        ThreeFiles t;
        QVERIFY(t.start());
        MainWindow& window = t.window();
        type(window, "comments", QStringLiteral("Note"));
        QCOMPARE(t.list().at(1).id3v1.comment, std::string("Note"));
        key(Qt::Key_Z);
        QVERIFY(tagEditor(window.tagTabs(), "comments").hasFocus());
        QCOMPARE(tagEditor(window.tagTabs(), "comments").text(), QString());
        QVERIFY(!tagEditor(window.tagTabs(), "comments").placeholderText().isEmpty());
        QCOMPARE(t.list().at(1).id3v1.comment + t.list().at(2).id3v1.comment,
                 std::string("secondthird"));
        QCOMPARE(t.list().countDirty(), 0);
        key(Qt::Key_Y);
        QCOMPARE(tagEditor(window.tagTabs(), "comments").text(), QStringLiteral("Note"));
        QCOMPARE(t.list().countDirty(), 2);

        // Typing on after the undo is a step of its own.
        key(Qt::Key_Z);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Memo"));
        window.fileList().setFocus();
        QCOMPARE(t.undoText(), QStringLiteral("&Undo Set Comments in 2 files\tCtrl+Z"));
        key(Qt::Key_Z);
        QCOMPARE(t.list().at(2).id3v1.comment, std::string("third"));
        QCOMPARE(t.list().countDirty(), 0);
    }

    // A batch command or window is one step however many files it changed; moving rows
    // keeps the steps on their files, taking files out of the list ends them and says so.
    void batchEditsAreOneStepEach() {
        ThreeFiles t;
        QVERIFY(t.start());
        t.h.shell.onRenamingWindow = [](tw::gui::GuiContext& context) {
            context.list.forEachSelected([](tw::core::AudioFile& file) {
                file.id3v2.makePresent();
                file.id3v2.setTitle("From name");
            });
            return true;
        };
        QVERIFY(t.h.trigger(ids::kCmdFilenameToTag));
        QCOMPARE(t.undoText(), QStringLiteral("&Undo Filename > ID3 Tag\tCtrl+Z"));
        QVERIFY(t.h.trigger(ids::kCmdSetNumbering));
        t.h.port.answers.push_back(tw::base::UserPort::Answer::Yes);
        QVERIFY(t.h.trigger(ids::kCmdClearV1));
        QCOMPARE(t.undoText(), QStringLiteral("&Undo Clear ID3v1 Tag\tCtrl+Z"));

        QVERIFY(t.h.trigger(ids::kCmdMoveUp));
        QCOMPARE(t.h.listText(), std::string("b.mp3* c.mp3* a.mp3"));
        QVERIFY(t.h.trigger(ids::kCmdUndo));
        QCOMPARE(t.list().at(0).id3v1.album, std::string("Two"));
        QVERIFY(t.h.trigger(ids::kCmdUndo));
        QCOMPARE(t.list().at(1).id3v2.track, 0);
        QCOMPARE(t.list().at(1).id3v2.title, std::string("From name"));
        QVERIFY(t.h.trigger(ids::kCmdUndo));
        QCOMPARE(t.list().countDirty(), 0);
        QVERIFY(t.h.trigger(ids::kCmdRedo));
        QCOMPARE(t.list().countDirty(), 2);

        // The edited files stay; the one taken out had none, yet the steps are gone.
        t.list().selectOnly(2);
        QVERIFY(t.h.trigger(ids::kCmdRemoveFiles));
        QVERIFY(!t.h.isEnabled(ids::kCmdUndo));
        QCOMPARE(t.undoText(),
                 QStringLiteral("Cannot Undo Edits of Files Saved, Reread or Removed"));
        QCOMPARE(t.list().countDirty(), 2);
    }
};

QTEST_MAIN(UndoTest)
#include "undo_test.moc"
