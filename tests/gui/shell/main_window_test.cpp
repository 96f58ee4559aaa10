// SPDX-License-Identifier: GPL-2.0-or-later
// The main window driven by the keyboard and the mouse, as a user meets it: walking through
// the fields never edits, the wheel and the arrow keys never change a field, the keys move
// where the eye expects and keep working after a save, Save is found in the menu.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QToolBar>
#include <QtTest>
#include <filesystem>
#include <map>
#include <span>

#include "base/string_ids.h"
#include "core/audio_file.h"
#include "core/file_list.h"
#include "core/list_columns.h"
#include "gui/actions/main_menu.h"
#include "gui/app/application.h"
#include "gui/mainwindow/main_window.h"
#include "gui/mainwindow/status_panes.h"
#include "gui/support/app_harness.h"
#include "gui/support/user_input.h"
#include "gui/views/file_list_view.h"
#include "gui/views/genre_selector.h"
#include "gui/views/suggestion_field.h"
#include "gui/views/tag_tabs_view.h"
#include "support/bytes.h"
#include "support/format_files.h"
#include "support/id3v2_builder.h"
#include "support/mp3_file.h"
#include "support/mutagen.h"

namespace ids = tw::base::ids;
using tw::gui::MainWindow;
using tw::gui::TagTabsView;
using tw::test::AppHarness;
using tw::test::clickRow;
using tw::test::Id3v1Spec;
using tw::test::tagEditor;
using tw::test::wheelOver;

namespace {

const char* const kStandardFields[] = {"title", "artist", "album", "year", "comments"};
const char* const kExtendedFields[] = {"composer", "origArtist", "copyright", "url", "publisher"};

QComboBox& comboOf(MainWindow& window, const char* name) {
    if (auto* field =
            window.tagTabs().findChild<tw::gui::SuggestionField*>(QString::fromLatin1(name)))
        return field->comboBox();
    auto* genre = window.tagTabs().findChild<tw::gui::GenreSelector*>(QString::fromLatin1(name));
    if (!genre)
        qFatal("no field %s", name);
    return *genre;
}

// A key pressed where the keyboard is; false when it is nowhere.
bool press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    if (!focus)
        return false;
    QTest::keyClick(focus, key, modifiers);
    return true;
}

// The name of the tag tab control that holds the keyboard focus.
QString focusedControl() {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (!w->objectName().isEmpty())
            return w->objectName();
    return {};
}

QStringList names(std::initializer_list<const char*> items) {
    QStringList list;
    for (const char* item : items)
        list << QString::fromLatin1(item);
    return list;
}

QStringList tabWalk(int steps) {
    QStringList walked{focusedControl()};
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << focusedControl();
    }
    return walked;
}

void clickTab(TagTabsView& tabs, TagTabsView::Page page) {
    QTabBar* bar = tabs.tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(static_cast<int>(page)).center());
}

// Three files; b and c share title, artist and year, and differ from each other in album
// and comment, so the fields show common values and empty ones.
struct ThreeTagged {
    AppHarness h;
    std::map<std::string, tw::test::Bytes> before;
    bool made = true;

    // Or three FLAC and MP4 files, whose genres ("Shoegaze", "Rock") are texts.
    explicit ThreeTagged(bool textGenres = false) {
        if (textGenres) {
            const std::pair<const char*, const char*> files[] = {
                {"flac", "a.flac"}, {"aac", "b.m4a"}, {"flac", "c.flac"}};
            const std::string music = h.musicFolder();
            for (const auto& [kind, name] : files)
                made = made && tw::test::copyFormatFile(kind, true, music + name);
            made = made && tw::test::runMutagenTool({"genre", music + "a.flac", "Shoegaze"});
            for (const auto& [kind, name] : files)
                if (made)
                    before[name] = tw::test::readBytes(music + name);
            return;
        }
        // title, artist, album, year, comment, track, genre
        const std::pair<const char*, Id3v1Spec> files[] = {
            {"a.mp3", {"Alpha", "Ann", "One", "1990", "first", {}, 17}},
            {"b.mp3", {"Beta", "Bob", "Two", "2001", "second", {}, 13}},
            {"c.mp3", {"Beta", "Bob", "Three", "2001", "third", {}, 13}},
        };
        for (const auto& [name, tag] : files)
            before[name] = tw::test::readBytes(h.addFile(name, tag));
    }
    bool start() { return made && h.start() && QTest::qWaitForWindowActive(&h.window()); }
    MainWindow& window() { return h.window(); }
    tw::core::FileList& list() { return h.app().list(); }
    bool unchangedOnDisk() {
        for (const auto& [name, bytes] : before)
            if (tw::test::readBytes(h.music / name) != bytes)
                return false;
        return true;
    }
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void walkingThroughTheFieldsNeverEdits() {
        ThreeTagged t;
        QVERIFY(t.start());
        MainWindow& window = t.window();
        tw::gui::FileListView& list = window.fileList();
        QCOMPARE(t.h.listText(), std::string("a.mp3* b.mp3* c.mp3*"));

        clickRow(list, 1);
        QTest::keyClick(&list, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(t.h.listText(), std::string("a.mp3 b.mp3* c.mp3*"));

        const auto walk = [&] {
            for (auto [page, fields] :
                 {std::pair{TagTabsView::Page::Standard, std::span(kStandardFields)},
                  std::pair{TagTabsView::Page::Extended, std::span(kExtendedFields)}}) {
                clickTab(window.tagTabs(), page);
                for (const char* name : fields)
                    QTest::mouseClick(&tagEditor(window.tagTabs(), name), Qt::LeftButton);
                QTest::mouseClick(&tagEditor(window.tagTabs(), fields.front()), Qt::LeftButton);
                for (std::size_t i = 0; i < fields.size() + 1; ++i)
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                for (std::size_t i = 0; i < fields.size() + 1; ++i)
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                                    Qt::ShiftModifier);
            }
            QTest::keyClick(&window, Qt::Key_1, Qt::AltModifier);  // back to the list
            QVERIFY(list.hasFocus());
        };
        walk();
        // Rows changed with the keyboard, the fields walked again in between.
        QTest::keyClick(&list, Qt::Key_Up);
        QCOMPARE(t.h.listText(), std::string("a.mp3 b.mp3* c.mp3"));
        walk();
        QTest::keyClick(&list, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(t.h.listText(), std::string("a.mp3 b.mp3* c.mp3*"));
        walk();

        QCOMPARE(t.list().countDirty(), 0);
        QCOMPARE(window.statusPanes().countsText(),
                 QStringLiteral("2 selected | 0 changed | 3 files"));
        t.h.trigger(ids::kCmdSaveChanges);
        QVERIFY(t.unchangedOnDisk());
    }

    // Tab leaves the list without touching the selection and walks each page top to bottom.
    void tabWalksFromTheListThroughThePageInItsVisualOrder() {
        ThreeTagged t;
        QVERIFY(t.start());
        MainWindow& window = t.window();
        clickRow(window.fileList(), 1);
        QTest::keyClick(&window.fileList(), Qt::Key_Tab);
        QCOMPARE(t.h.listText(), std::string("a.mp3 b.mp3* c.mp3"));
        QCOMPARE(focusedControl(), QStringLiteral("title"));

        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("!"));  // Save can run now
        QCOMPARE(tabWalk(7), names({"title", "artist", "album", "year", "genre", "comments",
                                    "saveChanges", "information"}));
        QTest::keyClick(&window, Qt::Key_3, Qt::AltModifier);
        QCOMPARE(tabWalk(5),
                 names({"composer", "origArtist", "copyright", "url", "publisher", "saveChanges"}));
    }

    // Ctrl+S saves while the cursor is still in the field, as does the tag menu's entry;
    // both do what the page's button does.
    void saveChangesRunsFromTheKeyAndTheTagMenu() {
        ThreeTagged t;
        QVERIFY(t.start());
        MainWindow& window = t.window();
        QAction* save = t.h.action(ids::kCmdSaveChanges);
        QVERIFY(window.mainMenu()->popup(3)->actions().contains(save));
        QCOMPARE(save->text(), QStringLiteral("&Save Changes\tCtrl+S"));
        QVERIFY(!t.h.isEnabled(ids::kCmdSaveChanges));

        QTest::mouseClick(&tagEditor(window.tagTabs(), "album"), Qt::LeftButton);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("X"));
        QCOMPARE(t.list().countDirty(), 3);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(t.list().countDirty(), 0);
        QVERIFY(!save->isEnabled());
        QVERIFY(!t.unchangedOnDisk());

        clickRow(window.fileList(), 0);
        QTest::mouseClick(&tagEditor(window.tagTabs(), "comments"), Qt::LeftButton);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Y"));
        QVERIFY(save->isEnabled());
        save->trigger();  // the menu item
        QCOMPARE(t.list().countDirty(), 0);
        QCOMPARE(t.h.reread("a.mp3")->id3v2.comment, std::string("firstY"));

        // A cell of the list being edited is kept first, as leaving it for the button would.
        tw::gui::FileListView& list = window.fileList();
        const int title = tw::core::columnIndexOfCommand(ids::kCmdColumnTitle);
        const QModelIndex cell = list.model()->index(2, title);
        list.scrollTo(cell);
        const QPoint at = list.visualRect(cell).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
        QVERIFY(list.isEditing());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Gamma"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!list.isEditing());
        QCOMPARE(t.list().countDirty(), 0);
        QCOMPARE(t.h.reread("c.mp3")->id3v2.title, std::string("Gamma"));
    }

    // With several files selected, a field writes into every one of them: the wheel and the
    // keys that step a closed list must leave it alone, focused or not. Down opens the list.
    void theWheelAndStepKeysChangeNoField_data() {
        QTest::addColumn<bool>("textGenres");
        QTest::newRow("mp3") << false;
        QTest::newRow("flac and mp4, an editable genre") << true;
    }
    void theWheelAndStepKeysChangeNoField() {
        QFETCH(bool, textGenres);
        ThreeTagged t(textGenres);
        QVERIFY(t.start());
        QCOMPARE(comboOf(t.window(), "genre").isEditable(), textGenres);
        MainWindow& window = t.window();
        const std::pair<Qt::Key, const char*> keys[] = {
            {Qt::Key_Down, "Down"},     {Qt::Key_Up, "Up"},     {Qt::Key_PageDown, "PageDown"},
            {Qt::Key_PageUp, "PageUp"}, {Qt::Key_Home, "Home"}, {Qt::Key_End, "End"}};
        const std::vector<const char*> fields =
            textGenres ? std::vector{"genre"} : std::vector{"title", "artist",   "album",   "year",
                                                            "genre", "comments", "composer"};
        for (const char* name : fields) {
            const bool extended = std::string_view(name) == "composer";
            clickTab(window.tagTabs(),
                     extended ? TagTabsView::Page::Extended : TagTabsView::Page::Standard);
            QComboBox& box = comboOf(window, name);
            QVERIFY(extended || box.count() > 0);  // a list to step through
            const QString shown = box.currentText();
            const auto unchanged = [&](const char* what) {
                const QString where = QString::fromLatin1("%1, %2").arg(QString::fromLatin1(name),
                                                                        QString::fromLatin1(what));
                QVERIFY2(t.list().countDirty() == 0, qPrintable(where));
                QVERIFY2(box.currentText() == shown, qPrintable(where));
            };
            QTest::keyClick(&window, Qt::Key_1, Qt::AltModifier);  // the keyboard in the list
            wheelOver(box);
            if (box.lineEdit())
                wheelOver(*box.lineEdit());
            unchanged("wheel");
            QVERIFY(window.fileList().hasFocus());

            QTest::mouseClick(box.lineEdit() ? static_cast<QWidget*>(box.lineEdit()) : &box,
                              Qt::LeftButton);
            if (box.view()->isVisible())  // the genre's own list opens under the click
                QTest::keyClick(box.view(), Qt::Key_Escape);
            QVERIFY(box.hasFocus());
            wheelOver(box);
            unchanged("wheel on the focused field");
            for (const auto& [key, keyName] : keys) {
                QVERIFY(press(key));
                if (box.view()->isVisible())
                    QTest::keyClick(box.view(), Qt::Key_Escape);
                unchanged(keyName);
            }
            if (box.count() == 0)
                continue;
            QVERIFY(press(Qt::Key_Down));
            QVERIFY(box.view()->isVisible());
            QTest::keyClick(box.view(), Qt::Key_Escape);
            unchanged("Escape on the open list");
        }
        QVERIFY(t.unchangedOnDisk());
    }

    // What the user picks from the opened list, by mouse or by Return, goes into every
    // selected file.
    void choosingFromTheOpenListWritesEverySelectedFile() {
        if (!tw::test::mutagenAvailable())
            QSKIP("mutagen is not installed");
        ThreeTagged t;
        QVERIFY(t.start());
        MainWindow& window = t.window();
        QComboBox& title = comboOf(window, "title");
        QTest::mouseClick(title.lineEdit(), Qt::LeftButton);
        QVERIFY(press(Qt::Key_Down));
        QVERIFY(title.view()->isVisible());
        const QModelIndex alpha = title.model()->index(title.findText(QStringLiteral("Alpha")), 0);
        QTest::mouseClick(title.view()->viewport(), Qt::LeftButton, {},
                          title.view()->visualRect(alpha).center());
        QVERIFY(!title.view()->isVisible());

        QComboBox& genre = comboOf(window, "genre");
        genre.setFocus();
        QVERIFY(press(Qt::Key_Down, Qt::AltModifier));
        QVERIFY(genre.view()->isVisible());
        const int wanted = tw::gui::GenreSelector::entryOf(13);
        for (int step = 0; step < genre.count() && genre.view()->currentIndex().row() != wanted;
             ++step)
            QTest::keyClick(genre.view(), wanted > genre.view()->currentIndex().row() ? Qt::Key_Down
                                                                                      : Qt::Key_Up);
        QTest::keyClick(genre.view(), Qt::Key_Return);
        QCOMPARE(t.list().countDirty(), 3);

        QVERIFY(press(Qt::Key_S, Qt::ControlModifier));
        for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) {
            const auto dump = tw::test::mutagenDump((t.h.music / name).string());
            QCOMPARE(dump.at("TIT2"), std::string("Alpha"));
            QCOMPARE(dump.at("v1.TIT2"), std::string("Alpha"));
            QCOMPARE(t.h.reread(name)->id3v1.genre, 13);
        }
    }

    // Tab leaves the lyrics as it leaves every field, and passing through them changes
    // nothing, also lyrics whose lines end the way another program wrote them.
    void tabPassesThroughTheLyricsWithoutChangingThem() {
        AppHarness h;
        for (const char* name : {"a.mp3", "b.mp3"}) {
            tw::test::Mp3Parts parts;
            parts.audio = tw::test::defaultAudio();
            parts.id3v2 = tw::test::Id3v2Builder(3)
                              .text("TIT2", name)
                              .lyrics("eng", "", "first line\r\nsecond line")
                              .build();
            tw::test::writeMp3(h.music, name, parts);
        }
        const tw::test::Bytes before = tw::test::readBytes(h.music / "a.mp3");
        QVERIFY(h.start() && QTest::qWaitForWindowActive(&h.window()));
        MainWindow& window = h.window();
        QTest::keyClick(&window, Qt::Key_4, Qt::AltModifier);
        QCOMPARE(focusedControl(), QStringLiteral("lyricsText"));
        auto* lyrics = window.tagTabs().findChild<QPlainTextEdit*>(QStringLiteral("lyricsText"));
        const QString shown = lyrics->toPlainText();
        QVERIFY(shown.startsWith(QStringLiteral("first line")));
        QVERIFY(press(Qt::Key_Tab));
        QCOMPARE(focusedControl(), QStringLiteral("saveLyrics"));
        QVERIFY(press(Qt::Key_Backtab, Qt::ShiftModifier));
        QCOMPARE(focusedControl(), QStringLiteral("lyricsText"));
        QVERIFY(press(Qt::Key_Backtab, Qt::ShiftModifier));
        QVERIFY(focusedControl() != QStringLiteral("lyricsText"));
        QCOMPARE(lyrics->toPlainText(), shown);
        QCOMPARE(h.app().list().countDirty(), 0);
        h.trigger(ids::kCmdSaveChanges);
        QVERIFY(tw::test::readBytes(h.music / "a.mp3") == before);
    }

    // The save of several files shows its progress window; once it is gone the keyboard is
    // where it was, and the keys, hot keys and menus work without a click.
    void theKeyboardWorksAfterSavingSeveralFiles() {
        ThreeTagged t;
        t.h.port.showsProgressWindow = true;
        QVERIFY(t.start());
        MainWindow& window = t.window();
        QTest::mouseClick(&tagEditor(window.tagTabs(), "comments"), Qt::LeftButton);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Z"));
        QVERIFY(press(Qt::Key_Return));
        QVERIFY(press(Qt::Key_S, Qt::ControlModifier));
        QCOMPARE(t.list().countDirty(), 0);
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&window));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&comboOf(window, "comments")));

        QVERIFY(press(Qt::Key_F9, Qt::ControlModifier));
        QCOMPARE(t.h.shell.log, std::vector<std::string>{"renaming"});
        QVERIFY(press(Qt::Key_1, Qt::AltModifier));
        QVERIFY(window.fileList().hasFocus());
        const int row = window.fileList().currentIndex().row();
        QVERIFY(press(row == 0 ? Qt::Key_Down : Qt::Key_Up));
        QCOMPARE(window.fileList().currentIndex().row(), row == 0 ? 1 : row - 1);
    }

    // Commands that cannot run look so: their images turn grey.
    void disabledToolbarButtonsLookGrey() {
        AppHarness h;
        QVERIFY(h.start());
        int checked = 0;
        for (QAction* action : h.window().mainBar().actions()) {
            if (action->isSeparator() || action->icon().isNull())
                continue;
            const QImage normal = action->icon().pixmap(26, QIcon::Normal).toImage();
            const QImage disabled = action->icon().pixmap(26, QIcon::Disabled).toImage();
            QVERIFY(normal != disabled);
            for (int y = 0; y < disabled.height(); ++y)
                for (int x = 0; x < disabled.width(); ++x) {
                    const QRgb pixel = disabled.pixel(x, y);
                    QVERIFY(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel));
                    QVERIFY(qAlpha(pixel) <= qAlpha(normal.pixel(x, y)));
                }
            ++checked;
        }
        QVERIFY(checked >= 10);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
