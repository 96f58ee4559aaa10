// SPDX-License-Identifier: GPL-2.0-or-later
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "core/file_list.h"
#include "gui/support/user_input.h"
#include "gui/views/genre_selector.h"
#include "gui/views/lyrics_page.h"
#include "gui/views/suggestion_field.h"
#include "gui/views/tag_tabs_view.h"
#include "support/bytes.h"
#include "support/format_files.h"
#include "support/mutagen.h"
#include "view_fixture.h"

namespace tw::gui {

namespace {

using test::Frames;
using test::Id3v1Spec;
using test::tagEditor;

SuggestionField& field(TagTabsView& tabs, const char* name) {
    auto* found = tabs.findChild<SuggestionField*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no field %s", name);
    return *found;
}

QPushButton& saveButton(TagTabsView& tabs) {
    return *tabs.findChild<QPushButton*>(QStringLiteral("saveChanges"));
}

// Opens the drop-down list and picks the entry with the keyboard, as a user does.
void pick(QComboBox& combo, int entry) {
    combo.showPopup();
    QAbstractItemView* list = combo.view();
    list->setCurrentIndex(combo.model()->index(entry, 0));
    QTest::keyClick(list, Qt::Key_Return);
}

}  // namespace

class TagTabsViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void typingEditsEverySelectedFileAndSaveChangesWritesThem() {
        test::ViewFixture f;
        f.write("a.mp3", Id3v1Spec{.title = "old"});
        f.write("b.mp3", Id3v1Spec{.title = "kept"});
        f.write("c.mp3");
        f.scan();
        f.select({0, 2});
        TagTabsView tabs(f.context);
        QSignalSpy edits(&f.document, &gui::EditDocument::recordsEdited);
        QSignalSpy saved(&f.document, &gui::EditDocument::allRowsChanged);
        QVERIFY(!saveButton(tabs).isEnabled());

        tagEditor(tabs, "title").selectAll();
        QTest::keyClicks(&tagEditor(tabs, "title"), QStringLiteral("New"));
        QCOMPARE(tagEditor(tabs, "title").text(), QStringLiteral("New"));
        QCOMPARE(edits.count(), 3);
        QTest::keyClicks(&tagEditor(tabs, "composer"), QStringLiteral("Bach"));
        QTest::keyClicks(&tagEditor(tabs, "year"), QStringLiteral("1985"));
        for (int row : {0, 2}) {
            const core::AudioFile& file = f.list.at(row);
            QCOMPARE(file.id3v1.title, std::string("New"));
            QCOMPARE(file.id3v2.title, std::string("New"));
            QCOMPARE(file.id3v2.composer, std::string("Bach"));
            QCOMPARE(file.id3v1.yearText, std::string("1985"));
        }
        QVERIFY(!f.list.at(1).dirty());
        QVERIFY(saveButton(tabs).isEnabled());

        QTest::mouseClick(&saveButton(tabs), Qt::LeftButton);
        QCOMPARE(saved.count(), 1);
        QVERIFY(!saveButton(tabs).isEnabled());
        QVERIFY(!f.list.anyDirty());
        for (const char* name : {"a.mp3", "c.mp3"}) {
            const auto onDisk = f.reread(name);
            QCOMPARE(onDisk->id3v1.title, std::string("New"));
            QCOMPARE(onDisk->id3v2.title, std::string("New"));
            QCOMPARE(onDisk->id3v2.composer, std::string("Bach"));
            QCOMPARE(onDisk->id3v2.year, 1985);
        }
        QCOMPARE(f.reread("b.mp3")->id3v1.title, std::string("kept"));
    }

    void clearButtonsAndTheGenreListGoIntoEverySelectedFile() {
        test::ViewFixture f;
        f.write("a.mp3", Id3v1Spec{.title = "one", .genre = 17}, Frames{{"TIT2", "v2 one"}});
        f.write("b.mp3", Id3v1Spec{.title = "two"});
        f.scan();
        TagTabsView tabs(f.context);
        auto* genre = tabs.findChild<GenreSelector*>(QStringLiteral("genre"));
        QVERIFY(field(tabs, "title").clearButton());
        QVERIFY(!field(tabs, "year").clearButton());

        tabs.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tabs));
        // The titles differ, so the field is empty already; its clear button still clears
        // every selected file.
        QTest::mouseClick(field(tabs, "title").clearButton(), Qt::LeftButton);
        QVERIFY(tagEditor(tabs, "title").text().isEmpty());
        pick(*genre, GenreSelector::entryOf(13));
        for (int row : {0, 1}) {
            QVERIFY(f.list.at(row).id3v1.title.empty());
            QVERIFY(f.list.at(row).id3v2.title.empty());
            QCOMPARE(f.list.at(row).id3v1.genre, 13);
            QCOMPARE(f.list.at(row).id3v2.genre, 13);
        }
        f.document.save();
        QVERIFY(f.reread("a.mp3")->id3v1.title.empty());
        QCOMPARE(f.reread("b.mp3")->id3v2.genre, 13);
    }

    // Which suggestions are offered is the engine's; choosing one is an edit like typing.
    void choosingASuggestionEditsTheSelectedFiles() {
        test::ViewFixture f;
        f.useSubFolder("1999 - Live");
        f.write("a.mp3");
        f.write("b.mp3");
        f.scan();
        TagTabsView tabs(f.context);
        tabs.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tabs));
        QComboBox& album = field(tabs, "album").comboBox();
        const int live = album.findText(QStringLiteral("1999 - Live"));
        QVERIFY(live >= 0);
        pick(album, live);
        QCOMPARE(f.list.at(0).id3v1.album, std::string("1999 - Live"));
        QCOMPARE(f.list.at(1).id3v2.album, std::string("1999 - Live"));
    }

    // Files that differ show an empty field with a placeholder, on both pages; an edit of
    // another field leaves them their own values, and only what the user typed is saved.
    void differentValuesShowAPlaceholderAndStayEachFilesOwn() {
        test::ViewFixture f;
        f.write("a.mp3", Id3v1Spec{.title = "A", .artist = "Same", .genre = 17},
                Frames{{"TPE1", "Same"}, {"TCOM", "Bach"}, {"TPUB", "Label"}});
        f.write("b.mp3", Id3v1Spec{.title = "B", .artist = "Same", .genre = 13},
                Frames{{"TPE1", "Same"}, {"TCOM", "Bach"}});
        f.write("c.mp3", Id3v1Spec{.title = "C"});
        f.scan();
        f.select({0, 1});
        TagTabsView tabs(f.context);
        const QString different = QStringLiteral("<different values>");
        const auto placeholder = [&](const char* name) { return field(tabs, name).placeholder(); };
        auto* genre = tabs.findChild<GenreSelector*>(QStringLiteral("genre"));
        for (const char* name : {"title", "publisher"}) {
            QVERIFY(tagEditor(tabs, name).text().isEmpty());
            QCOMPARE(placeholder(name), different);
        }
        QCOMPARE(genre->currentIndex(), -1);
        QCOMPARE(genre->placeholderText(), different);
        QCOMPARE(tagEditor(tabs, "artist").text(), QStringLiteral("Same"));
        QCOMPARE(tagEditor(tabs, "composer").text(), QStringLiteral("Bach"));
        QVERIFY(placeholder("artist").isEmpty() && placeholder("composer").isEmpty());
        QVERIFY(placeholder("album").isEmpty());  // all empty alike

        QTest::keyClicks(&tagEditor(tabs, "artist"), QStringLiteral("!"));
        f.document.save();
        const auto a = f.reread("a.mp3");
        const auto b = f.reread("b.mp3");
        QCOMPARE(a->id3v2.artist, std::string("Same!"));
        QCOMPARE(b->id3v2.artist, std::string("Same!"));
        QCOMPARE(a->id3v1.title, std::string("A"));
        QCOMPARE(b->id3v1.title, std::string("B"));
        QCOMPARE(a->id3v1.genre, 17);
        QCOMPARE(b->id3v1.genre, 13);
        QCOMPARE(a->id3v2.publisher, std::string("Label"));
        QVERIFY(b->id3v2.publisher.empty());
        QVERIFY(!f.list.at(2).dirty());

        // One file shows its own values again, with no placeholder left.
        f.select({1});
        tabs.refresh();
        QCOMPARE(tagEditor(tabs, "title").text(), QStringLiteral("B"));
        QVERIFY(placeholder("title").isEmpty());
        QCOMPARE(genre->genre(), 13);
    }

    // FLAC and MP4 files hold any text as their genre: the field takes typed text for them,
    // as one step of the history, and mutagen reads it back; with an MP3 file among the
    // selected files the field is the fixed list.
    void flacAndMp4FilesTakeAnyTypedGenre() {
        test::ViewFixture f;
        const std::string flac = f.folder() + "a.flac";
        const std::string mp4 = f.folder() + "b.m4a";
        if (!test::copyFormatFile("flac", true, flac) || !test::copyFormatFile("aac", true, mp4) ||
            !test::runMutagenTool({"genre", flac, "Shoegaze"}))
            QSKIP("the FLAC and MP4 files cannot be made (flac, ffmpeg, mutagen)");
        f.write("c.mp3", Id3v1Spec{.genre = 17});
        f.scan();
        f.select({0});
        TagTabsView tabs(f.context);
        tabs.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tabs));
        auto* genre = tabs.findChild<GenreSelector*>(QStringLiteral("genre"));
        QVERIFY(genre->textGenres());
        QCOMPARE(genre->currentText(), QStringLiteral("Shoegaze"));

        const auto show = [&](std::initializer_list<int> rows) {
            f.select(rows);
            tabs.refresh();
        };
        show({1, 2});  // Rock in both, one of them an MP3 file
        QVERIFY(!genre->textGenres());
        QCOMPARE(genre->genre(), 17);
        show({0, 1});
        QVERIFY(genre->textGenres());
        QVERIFY(genre->currentText().isEmpty());
        QCOMPARE(genre->placeholder(), QStringLiteral("<different values>"));
        QVERIFY(!f.list.anyDirty());

        genre->setFocus();
        QTest::keyClicks(genre, QStringLiteral("Post-Rock"));
        for (int row : {0, 1})
            QCOMPARE(f.list.at(row).id3v2.freeGenre, std::string("Post-Rock"));
        QCOMPARE(f.document.undoName(), QStringLiteral("Set Genre in 2 files"));
        f.document.undo();
        QCOMPARE(f.list.at(0).id3v2.freeGenre, std::string("Shoegaze"));
        QCOMPARE(f.list.at(1).id3v2.genre, 17);
        QVERIFY(!f.list.anyDirty());
        QCOMPARE(genre->placeholder(), QStringLiteral("<different values>"));

        f.document.redo();
        f.document.save();
        for (const auto& [path, key] : {std::pair{flac, "GENRE"}, std::pair{mp4, "\xC2\xA9gen"}}) {
            const std::string entry = std::string(key) + '\0' + "Post-Rock" + '\0';
            QVERIFY2(
                test::runMutagenTool({"tags", path}).value_or("").find(entry) != std::string::npos,
                path.c_str());
        }
    }

    void lyricsAreTypedLoadedSavedAtOnceAndDeleted() {
        test::ViewFixture f;
        f.write("a.mp3", {}, Frames{{"TIT2", "t"}});
        f.write("b.mp3");
        f.scan();
        f.select({0});
        TagTabsView tabs(f.context);
        auto* lyrics = tabs.findChild<LyricsPage*>();
        QSignalSpy edits(&f.document, &gui::EditDocument::recordsEdited);

        QTest::keyClicks(&lyrics->textField(), QStringLiteral("la la"));
        QCOMPARE(f.list.at(0).lyrics.text, std::string("la la"));
        QVERIFY(f.list.at(0).lyrics.dirty());
        QVERIFY(edits.count() > 0);
        lyrics->saveLyrics();
        QVERIFY(!f.list.at(0).dirty());
        QCOMPARE(f.reread("a.mp3")->lyrics.text, std::string("la la"));
        QVERIFY(f.port.messages.empty());

        f.port.answers = {base::UserPort::Answer::No, base::UserPort::Answer::Yes};
        lyrics->deleteLyrics();
        QCOMPARE(f.list.at(0).lyrics.text, std::string("la la"));
        lyrics->deleteLyrics();
        QVERIFY(lyrics->textField().toPlainText().isEmpty());
        QVERIFY(f.list.at(0).lyrics.dirty());
        QCOMPARE(f.port.log.back(),
                 std::string("ask:Are you sure to delete lyrics from the file?"));
        f.document.save();
        QVERIFY(!f.reread("a.mp3")->lyrics.inFile);
        QCOMPARE(f.reread("a.mp3")->id3v2.title, std::string("t"));

        const std::string text = (f.dir / "words.txt").string();
        test::writeBytes(text, {'c', 'a', 'f', 0xe9, '\r', '\n', 'x'});  // windows-1252
        QVERIFY(lyrics->loadLyricsFile(QString::fromStdString(text)));
        QCOMPARE(f.list.at(0).lyrics.text, std::string("caf\xc3\xa9\r\nx"));
        QVERIFY(f.list.at(0).lyrics.present && f.list.at(0).lyrics.changed);

        QVERIFY(!lyrics->loadLyricsFile(QString::fromStdString((f.dir / "none.txt").string())));
        QCOMPARE(f.port.messages.size(), std::size_t{1});

        // Saving into a file that is gone fails and says so; the lyrics stay to be saved.
        std::filesystem::remove(f.folder() + "a.mp3");
        lyrics->saveLyrics();
        QCOMPARE(f.port.messages.size(), std::size_t{2});
        QVERIFY(f.list.at(0).lyrics.dirty());
    }

    void withoutFilesTheFieldsAreDisabledAndLyricsCannotBeSaved() {
        test::ViewFixture f;
        f.scan();
        TagTabsView tabs(f.context);
        QVERIFY(!field(tabs, "title").isEnabled());
        tabs.findChild<LyricsPage*>()->saveLyrics();
        QCOMPARE(f.port.messages.size(), std::size_t{1});
    }
};

}  // namespace tw::gui

QTEST_MAIN(tw::gui::TagTabsViewTest)
#include "tag_tabs_view_test.moc"
