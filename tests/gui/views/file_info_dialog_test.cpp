// SPDX-License-Identifier: GPL-2.0-or-later
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "core/file_list.h"
#include "core/tag_save.h"
#include "gui/support/named_child.h"
#include "gui/support/user_input.h"
#include "gui/views/file_info_dialog.h"
#include "gui/views/genre_selector.h"
#include "gui/views/link_target.h"
#include "support/format_files.h"
#include "support/mutagen.h"
#include "view_fixture.h"

namespace tw::gui {

namespace {

using test::child;
using test::Frames;
using test::Id3v1Spec;
using test::retype;

QLineEdit& line(FileInfoDialog& dialog, const char* name) {
    return child<QLineEdit>(dialog, name);
}

QGroupBox& box(FileInfoDialog& dialog, const char* name) {
    return child<QGroupBox>(dialog, name);
}

void click(FileInfoDialog& dialog, const char* name) {
    child<QAbstractButton>(dialog, name).click();
}

// One notch of the wheel over the box, then the keys that would step a closed list, each
// open list closed again.
void wheelAndStepKeys(GenreSelector& genre) {
    test::wheelOver(genre);
    genre.setFocus();
    for (Qt::Key key :
         {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_End, Qt::Key_Home}) {
        QTest::keyClick(&genre, key);
        if (genre.view()->isVisible())
            QTest::keyClick(genre.view(), Qt::Key_Escape);
    }
}

// Three files: a with both tags, b and c without any.
void writeThreeFiles(test::ViewFixture& f) {
    f.write(
        "a.mp3", Id3v1Spec{.title = "v1 title", .year = "1999", .track = 3, .genre = 17},
        Frames{{"TIT2", "v2 title"}, {"TPE1", "v2 artist"}, {"TRCK", "5/12"}, {"TYER", "2001"}});
    f.write("b.mp3");
    f.write("c.mp3");
    f.scan();
}

}  // namespace

class FileInfoDialogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsBothTagsAndStepsThroughTheList() {
        test::ViewFixture f;
        writeThreeFiles(f);
        f.list.at(0).id3v2.url = "www.example.com";
        FileInfoDialog dialog(f.context, 0);

        QVERIFY(box(dialog, "v1Box").isChecked() && box(dialog, "v2Box").isChecked());
        QCOMPARE(line(dialog, "v1Title").text(), QStringLiteral("v1 title"));
        QCOMPARE(line(dialog, "v1Track").text(), QStringLiteral("3"));
        QCOMPARE(child<GenreSelector>(dialog, "v1Genre").genre(), 17);
        QCOMPARE(line(dialog, "v2Title").text(), QStringLiteral("v2 title"));
        QCOMPARE(line(dialog, "v2Track").text(), QStringLiteral("5/12"));
        QVERIFY(child<QToolButton>(dialog, "openUrl").isEnabled());
        QVERIFY(!child<QToolButton>(dialog, "previous").isEnabled());
        QVERIFY(child<QToolButton>(dialog, "next").isEnabled());
        QCOMPARE(child<QComboBox>(dialog, "fileSelector").count(), 3);

        click(dialog, "next");
        QCOMPARE(dialog.currentIndex(), 1);
        QVERIFY(!box(dialog, "v1Box").isChecked() && !box(dialog, "v2Box").isChecked());
        QVERIFY(!line(dialog, "v1Title").isEnabled());
        QVERIFY(line(dialog, "v2Title").text().isEmpty());
        QVERIFY(!child<QToolButton>(dialog, "openUrl").isEnabled());
        QVERIFY(!f.list.at(0).dirty());  // nothing was edited

        click(dialog, "next");
        QVERIFY(!child<QToolButton>(dialog, "next").isEnabled());
        click(dialog, "next");
        QCOMPARE(dialog.currentIndex(), 2);
        Q_EMIT child<QComboBox>(dialog, "fileSelector").activated(0);
        QCOMPARE(dialog.currentIndex(), 0);

        FileInfoDialog pastTheEnd(f.context, 7);
        QCOMPARE(pastTheEnd.currentIndex(), 2);
    }

    // OK takes every field into the file: a genre the wheel or an arrow key stepped to
    // would go with it.
    void theWheelAndStepKeysLeaveTheGenresAlone() {
        test::ViewFixture f;
        writeThreeFiles(f);
        FileInfoDialog dialog(f.context, 0);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (const char* name : {"v1Genre", "v2Genre"}) {
            auto& genre = child<GenreSelector>(dialog, name);
            const int shown = genre.genre();
            wheelAndStepKeys(genre);
            QCOMPARE(genre.genre(), shown);
        }
        dialog.accept();
        QVERIFY(!f.list.at(0).dirty());
    }

    void editsAreTakenWhenMovingOnAndTheFileIsMarked() {
        test::ViewFixture f;
        writeThreeFiles(f);
        FileInfoDialog dialog(f.context, 0);
        auto& files = child<QComboBox>(dialog, "fileSelector");
        const qint64 cleanIcon = files.itemIcon(1).cacheKey();
        QCOMPARE(files.itemIcon(0).cacheKey(), cleanIcon);

        retype(line(dialog, "v1Title"), QStringLiteral("edited"));
        retype(line(dialog, "v2Track"), QStringLiteral("6/12"));
        retype(line(dialog, "v2Year"), QStringLiteral("0"));  // "0" empties the year
        click(dialog, "next");
        const core::AudioFile& a = f.list.at(0);
        QCOMPARE(a.id3v1.title, std::string("edited"));
        QCOMPARE(a.id3v2.track, 6);
        QCOMPARE(a.id3v2.trackTotal, 12);
        QVERIFY(a.id3v2.yearText.empty());
        QCOMPARE(a.id3v2.year, 0);
        QVERIFY(a.dirty());
        QVERIFY(files.itemIcon(0).cacheKey() != cleanIcon);

        // Cancel keeps what was taken for the files left behind, and drops the rest.
        box(dialog, "v1Box").setChecked(true);
        retype(line(dialog, "v1Title"), QStringLiteral("dropped"));
        dialog.reject();
        QVERIFY(!f.list.at(1).dirty());
        QCOMPARE(f.list.at(0).id3v1.title, std::string("edited"));
    }

    // Unchecking a tag that is in the file removes it at the next save; checked again after
    // a move, the cleared tag is kept and takes what is typed.
    void uncheckingATagInTheFileRemovesItAtTheNextSave() {
        test::ViewFixture f;
        writeThreeFiles(f);
        FileInfoDialog dialog(f.context, 0);
        box(dialog, "v1Box").setChecked(false);
        QVERIFY(!line(dialog, "v1Title").isEnabled());
        click(dialog, "next");
        click(dialog, "previous");
        const core::AudioFile& a = f.list.at(0);
        QVERIFY(a.dirty() && !a.id3v1.present);
        QVERIFY(!box(dialog, "v1Box").isChecked());
        box(dialog, "v1Box").setChecked(true);
        retype(line(dialog, "v1Title"), QStringLiteral("again"));
        click(dialog, "next");
        QVERIFY(a.id3v1.present && a.id3v1.changed);
        QCOMPARE(a.id3v1.title, std::string("again"));

        click(dialog, "previous");
        box(dialog, "v1Box").setChecked(false);
        dialog.accept();
        QVERIFY(core::saveAll(f.list, f.port).empty());
        const auto onDisk = f.reread("a.mp3");
        QVERIFY(!onDisk->id3v1.inFile);
        QCOMPARE(onDisk->id3v2.title, std::string("v2 title"));
    }

    void checkingATagCreatesItAndUncheckingDropsAnUnsavedOne() {
        test::ViewFixture f;
        writeThreeFiles(f);
        FileInfoDialog dialog(f.context, 1);
        box(dialog, "v2Box").setChecked(true);
        box(dialog, "v1Box").setChecked(true);
        retype(line(dialog, "v1Title"), QStringLiteral("typed"));
        click(dialog, "next");
        const core::AudioFile& b = f.list.at(1);
        QVERIFY(b.id3v2.present && b.id3v2.changed);  // created though no field is filled
        QCOMPARE(b.id3v1.title, std::string("typed"));

        click(dialog, "previous");
        QVERIFY(box(dialog, "v1Box").isChecked());
        box(dialog, "v1Box").setChecked(false);
        dialog.accept();
        QVERIFY(!b.id3v1.present);
        QVERIFY(!b.id3v1.dirty());  // never in the file: nothing to write or remove

        // Saved, the empty ID3v2 tag leaves nothing in the file, and no ID3v1 tag is made.
        QVERIFY(core::saveAll(f.list, f.port).empty());
        QVERIFY(!f.list.at(1).dirty());
        QVERIFY(!f.reread("b.mp3")->id3v1.inFile);
    }

    void copyButtonsOverwriteTheOtherTagFromOneThatIsInTheFile() {
        test::ViewFixture f;
        writeThreeFiles(f);
        FileInfoDialog dialog(f.context, 0);
        retype(line(dialog, "v1Artist"), QStringLiteral("v1 artist"));
        click(dialog, "copyToV1");
        QCOMPARE(line(dialog, "v1Title").text(), QStringLiteral("v2 title"));
        QCOMPARE(line(dialog, "v1Artist").text(), QStringLiteral("v2 artist"));
        QCOMPARE(line(dialog, "v1Track").text(), QStringLiteral("5"));
        dialog.accept();
        QCOMPARE(f.list.at(0).id3v1.year, 2001);
    }

    // A FLAC or MP4 file's own tag takes the ID3v2 group, named after it; its ID3v1 group and
    // the copy buttons are off, with the reason on the group.
    void otherFormatsShowTheirOwnTag() {
        test::ViewFixture f;
        f.write("a.mp3", Id3v1Spec{.title = "v1 title"}, Frames{{"TIT2", "v2 title"}});
        if (!test::copyFormatFile("flac", true, f.folder() + "b.flac") ||
            !test::copyFormatFile("aac", true, f.folder() + "c.m4a") ||
            !test::runMutagenTool({"genre", f.folder() + "b.flac", "Shoegaze"}))
            QFAIL("the FLAC and MP4 files cannot be made");
        f.scan();
        FileInfoDialog dialog(f.context, 0);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const auto expect = [&](const char* caption, bool withV1, const char* tip) {
            QCOMPARE(box(dialog, "v2Box").title(), QString::fromUtf8(caption));
            QCOMPARE(box(dialog, "v1Box").isEnabled(), withV1);
            QCOMPARE(box(dialog, "v1Box").toolTip(), QString::fromUtf8(tip));
            QCOMPARE(child<QPushButton>(dialog, "copyToV1").isEnabled(), withV1);
            QCOMPARE(child<QPushButton>(dialog, "copyToV2").isEnabled(), withV1);
        };
        expect("ID3Tag v.2", true, "");
        QTest::mouseClick(&child<QToolButton>(dialog, "next"), Qt::LeftButton);
        expect("Vorbis comment", false, "FLAC files hold no ID3v1 tag.");
        QCOMPARE(line(dialog, "v2Title").text(), QStringLiteral("Title \u00e9"));
        // Their genre is any text; the wheel and the step keys leave it alone.
        auto& genre = child<GenreSelector>(dialog, "v2Genre");
        QVERIFY(genre.textGenres());
        QCOMPARE(genre.currentText(), QStringLiteral("Shoegaze"));
        wheelAndStepKeys(genre);
        QCOMPARE(genre.currentText(), QStringLiteral("Shoegaze"));
        QTest::mouseClick(&child<QToolButton>(dialog, "next"), Qt::LeftButton);
        expect("MP4 tags", false, "MP4 files hold no ID3v1 tag.");
        QCOMPARE(genre.currentText(), QStringLiteral("Rock"));

        line(dialog, "v2Album").setFocus();
        retype(line(dialog, "v2Album"), QStringLiteral("Other"));
        retype(*genre.lineEdit(), QStringLiteral("Post-Rock"));
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(f.list.at(2).id3v2.album, std::string("Other"));
        QCOMPARE(f.list.at(2).id3v2.freeGenre, std::string("Post-Rock"));
        QVERIFY(!f.list.at(2).id3v1.present && !f.list.at(1).dirty());

        FileInfoDialog again(f.context, 0);
        QVERIFY(!child<GenreSelector>(again, "v2Genre").textGenres());  // the MP3 file's
    }

    void onlyWebAndMailLinksAreOpened() {
        QCOMPARE(linkTarget(QStringLiteral("www.example.com")).scheme(), QStringLiteral("http"));
        for (const char* link : {" https://example.com/band ", "mailto:band@example.com"})
            QVERIFY2(linkTarget(QString::fromLatin1(link)).isValid(), link);
        for (const char* link : {"", "file:///etc/passwd", "/usr/bin/xterm", "javascript:alert(1)",
                                 "smb://server/share"})
            QVERIFY2(!linkTarget(QString::fromLatin1(link)).isValid(), link);
    }
};

}  // namespace tw::gui

QTEST_MAIN(tw::gui::FileInfoDialogTest)
#include "file_info_dialog_test.moc"
