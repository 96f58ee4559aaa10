// SPDX-License-Identifier: GPL-2.0-or-later
// The window's ID3v1 commands on a selection of MP3, FLAC and Opus files: the files that hold
// no ID3v1 tag are left out and counted, and saving writes only the MP3 file.
#include <QtTest>
#include <filesystem>

#include "base/string_ids.h"
#include "core/audio_file.h"
#include "core/file_list.h"
#include "gui/app/application.h"
#include "gui/mainwindow/main_window.h"
#include "gui/support/app_harness.h"
#include "gui/views/file_list_view.h"
#include "support/file_text.h"
#include "support/format_files.h"

namespace ids = tw::base::ids;
using Answer = tw::base::UserPort::Answer;
using tw::test::AppHarness;

class OtherFormatsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void id3v1CommandsLeaveOutFilesWithoutIt() {
        AppHarness h;
        h.addFile("a.mp3", "A");
        const std::string flac = h.musicFolder() + "b.flac";
        const std::string opus = h.musicFolder() + "c.opus";
        if (!tw::test::copyFormatFile("flac", true, flac) ||
            !tw::test::copyFormatFile("opus", true, opus))
            QFAIL("the FLAC and Opus files cannot be made");
        const std::string flacBefore = tw::test::fileText(flac);
        QVERIFY(h.start() && QTest::qWaitForWindowActive(&h.window()));
        tw::core::FileList& list = h.app().list();
        QTest::keyClick(&h.window(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(h.listText(), std::string("a.mp3* b.flac* c.opus*"));
        const std::string leftOut =
            "message:2 of the 3 selected files are FLAC, Ogg Vorbis, Opus or MP4 files, which "
            "hold no ID3v1 tag: the command does not apply to them and left them unchanged.";

        // Fill v2 from v1, then v1 from v2: only the MP3 file changes.
        QTest::keyClick(&h.window(), Qt::Key_F2, Qt::ControlModifier);
        QCOMPARE(h.port.log.back(), leftOut);
        QTest::keyClick(&h.window(), Qt::Key_F1, Qt::ControlModifier);
        QCOMPARE(h.port.log.back(), leftOut);
        QCOMPARE(list.at(0).id3v2.title, std::string("A"));
        for (int row : {1, 2}) {
            QVERIFY(!list.at(row).id3v1.present);
            QVERIFY(!list.at(row).dirty());
            QCOMPARE(list.at(row).id3v2.title, std::string("Title \xc3\xa9"));
        }

        // Clearing asks about the MP3 file's tag, then says which files it left out.
        h.port.answers.push_back(Answer::Yes);
        QTest::keyClick(&h.window(), Qt::Key_F3, Qt::ControlModifier);
        QVERIFY(h.port.log.at(h.port.log.size() - 2).starts_with("ask:"));
        QCOMPARE(h.port.log.back(), leftOut);
        QVERIFY(!list.at(0).id3v1.present);

        // A selection without any ID3v1 tag has nothing to ask about.
        tw::gui::FileListView& rows = h.window().fileList();
        QTest::mouseClick(rows.viewport(), Qt::LeftButton, {},
                          rows.visualRect(rows.model()->index(1, 0)).center());
        QCOMPARE(h.listText(), std::string("a.mp3 b.flac* c.opus"));
        const std::size_t logged = h.port.log.size();
        QTest::keyClick(&h.window(), Qt::Key_F3, Qt::ControlModifier);
        QCOMPARE(h.port.log.size(), logged + 1);
        QVERIFY(h.port.log.back().starts_with("message:1 of the 1 selected files"));

        QTest::keyClick(&h.window(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(list.countDirty(), 0);
        const auto saved = h.reread("a.mp3");
        QVERIFY(!saved->id3v1.inFile);
        QCOMPARE(saved->id3v2.title, std::string("A"));
        QCOMPARE(tw::test::fileText(flac), flacBefore);
    }
};

QTEST_MAIN(OtherFormatsTest)
#include "other_formats_test.moc"
