// Leaving the program, and the language change that restarts it, never drop unsaved edits
// without asking.
#include <QtTest>
#include <filesystem>

#include "base/language.h"
#include "base/string_ids.h"
#include "core/audio_file.h"
#include "core/file_list.h"
#include "core/mpeg_info.h"
#include "gui/app/application.h"
#include "gui/mainwindow/main_window.h"
#include "gui/support/app_harness.h"

namespace ids = tw::base::ids;
using tw::test::AppHarness;
using Answer = tw::base::UserPort::Answer;

namespace {

const char kCloseQuestion[] =
    "ask:You have edited several ID3 tags in the files.\nDo you want to save the changes "
    "before closing?";

int trackOnDisk(const std::string& path) {
    tw::core::MpegInfo mpeg;
    auto record = tw::core::AudioFile::create(path, path.rfind('/') + 1, mpeg);
    return record ? record->id3v1.track : -1;
}

// A started program on one file whose record holds an unsaved track number.
struct EditedFile {
    AppHarness h;
    std::string path;
    EditedFile() { path = h.addFile("a.mp3", "A"); }
    bool start() {
        if (!h.start() || !h.trigger(ids::kCmdSetNumbering))
            return false;
        return h.app().list().anyDirty();
    }
};

}  // namespace

class ClosingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aCleanListClosesWithoutAQuestion() {
        AppHarness h;
        h.addFile("a.mp3");
        QVERIFY(h.start());
        QVERIFY(h.window().close());
        QVERIFY(h.port.log.empty() || h.port.log.back().rfind("ask:", 0) != 0);
    }

    void cancelKeepsTheWindowAndTheEdits() {
        EditedFile e;
        QVERIFY(e.start());
        e.h.port.answers.push_back(Answer::Cancel);
        QVERIFY(!e.h.window().close());
        QCOMPARE(e.h.port.log.back(), std::string(kCloseQuestion));
        QVERIFY(e.h.window().isVisible());
        QVERIFY(e.h.app().list().anyDirty());
    }

    void noClosesWithoutWriting() {
        EditedFile e;
        QVERIFY(e.start());
        e.h.port.answers.push_back(Answer::No);
        QVERIFY(e.h.trigger(ids::kCmdExit));
        QVERIFY(!e.h.window().isVisible());
        QCOMPARE(trackOnDisk(e.path), 0);
    }

    void yesSavesThenCloses() {
        EditedFile e;
        QVERIFY(e.start());
        e.h.port.answers.push_back(Answer::Yes);
        QVERIFY(e.h.window().close());
        QCOMPARE(trackOnDisk(e.path), 1);
    }

    void aFailedSaveKeepsTheProgramOpen() {
        EditedFile e;
        QVERIFY(e.start());
        std::filesystem::remove(e.path);
        e.h.port.answers.push_back(Answer::Yes);
        QVERIFY(!e.h.window().close());
        QCOMPARE(e.h.port.failedReports, 1);
        QVERIFY(e.h.app().list().anyDirty());
        // Giving the edits up is the user's choice.
        e.h.port.answers.push_back(Answer::No);
        QVERIFY(e.h.window().close());
    }

    void aLanguageChangeAsksAboutEditsBeforeTheRestart() {
        EditedFile e;
        e.h.addLanguageFile("Nederlands.lng", "[MenuItems]\n62000=Gereed\n");
        QVERIFY(e.start());
        const int entry = ids::kCmdLanguageFirst;
        QVERIFY(e.h.isEnabled(entry));

        e.h.port.answers.push_back(Answer::Yes);     // restart?
        e.h.port.answers.push_back(Answer::Cancel);  // save before closing?
        QVERIFY(e.h.trigger(entry));
        QCOMPARE(e.h.store.getString("Settings", "Language", ""), std::string("Nederlands"));
        QVERIFY(e.h.window().isVisible());
        QVERIFY(!e.h.app().restartRequested());

        e.h.port.answers.push_back(Answer::Yes);
        e.h.port.answers.push_back(Answer::Yes);
        QVERIFY(e.h.trigger(entry));
        QVERIFY(!e.h.window().isVisible());
        QVERIFY(e.h.app().restartRequested());
        QCOMPARE(trackOnDisk(e.path), 1);
    }

    void choosingTheActiveLanguageAsksNothing() {
        AppHarness h;
        QVERIFY(h.start());
        QVERIFY(h.action(ids::kCmdLanguageDefault)->isChecked());
        QVERIFY(h.trigger(ids::kCmdLanguageDefault));
        QVERIFY(h.port.log.empty() || h.port.log.back().rfind("ask:", 0) != 0);
        QVERIFY(h.window().isVisible());
    }
};

QTEST_MAIN(ClosingTest)
#include "closing_test.moc"
