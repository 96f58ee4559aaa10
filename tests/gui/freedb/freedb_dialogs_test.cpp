// SPDX-License-Identifier: GPL-2.0-or-later
// The windows the album window opens: database info, settings with the server list, the
// proxy prompt and the export dialog, driven as a user drives them (the submission is part
// of the album window's test).
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <filesystem>

#include "base/app_paths.h"
#include "base/language.h"
#include "freedb/cd_player_ini_store.h"
#include "freedb/http_text.h"
#include "freedb/local_album_database.h"
#include "freedb_window_fixture.h"
#include "gui/app/qt_shell_port.h"
#include "gui/app/window_help_pages.h"
#include "gui/freedb/album_tree.h"
#include "gui/freedb/album_trees.h"
#include "gui/freedb/album_window.h"
#include "gui/freedb/database_info_dialog.h"
#include "gui/freedb/freedb_settings_dialog.h"
#include "gui/freedb/ordered_check_list.h"
#include "gui/shell/help_pages.h"
#include "gui/support/modal_answer.h"
#include "gui/support/named_child.h"
#include "gui/support/scripted_desktop_port.h"
#include "gui/support/shipped_languages.h"
#include "gui/support/user_input.h"
#include "support/file_text.h"

namespace tw::gui {

namespace {

using C = AlbumCommand;
using freedb::FoundIn;
using test::child;
using test::ClickTab;
using test::DiscRecord;
using test::FreeDbWindowFixture;
using test::ModalAnswer;
using test::Retrieved;
using test::retype;
using test::TwoTrackDisc;
using Answer = base::UserPort::Answer;

freedb::AlbumInfo storedAlbum(const std::string& category) {
    freedb::AlbumInfo album = TwoTrackDisc();
    album.setCategory(category);
    album.setArtist("Band");
    album.setTitle("Record");
    return album;
}

// The letter of a control's mnemonic ("Server &host:" gives 'H'); none without one.
QChar mnemonicOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            return text[i + 1].toUpper();
        ++i;  // "&&" shows one "&"
    }
    return {};
}

// The texts of a page's labels, buttons and group boxes, whose mnemonics lead to its controls.
QStringList mnemonicTexts(QWidget& page) {
    QStringList texts;
    for (QLabel* label : page.findChildren<QLabel*>())
        texts << label->text();
    for (QAbstractButton* button : page.findChildren<QAbstractButton*>())
        texts << button->text();
    for (QGroupBox* group : page.findChildren<QGroupBox*>())
        texts << group->title();
    return texts;
}

}  // namespace

class FreeDbDialogsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // F1 opens the page of the window it is pressed in: the album window's, and the
    // settings' for the settings window it opens.
    void f1OpensThePageOfEachWindow() {
        FreeDbWindowFixture f;
        f.pointAtServers();
        test::ScriptedDesktopPort desktop;
        HelpKey key(desktop, f.port, windowHelpPages());
        QApplication::instance()->installEventFilter(&key);
        auto window = f.open(TwoTrackDisc());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_F1);
        FreeDbSettingsDialog settings(f.context(), window.get());
        settings.show();
        QVERIFY(QTest::qWaitForWindowActive(&settings));
        QTest::keyClick(&settings, Qt::Key_F1);
        QCOMPARE(desktop.opened.size(), std::size_t{2});
        QCOMPARE(desktop.opened[0].url.fileName(), QStringLiteral("05_freedb.htm"));
        QCOMPARE(desktop.opened[1].url.fileName(), QStringLiteral("05_freedb_settings.htm"));
    }

    // The e-mail and time-out rows hold several controls; their labels' keys still lead to
    // their fields (and so show no "&").
    void theKeysOfCombinedRowsLeadToTheirFields() {
        FreeDbWindowFixture f;
        FreeDbSettingsDialog dialog(f.context());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(&dialog, Qt::Key_T, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), &child<QLineEdit>(dialog, "timeout"));
        QTest::keyClick(&dialog, Qt::Key_E, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), &child<QLineEdit>(dialog, "emailUser"));
    }

    // On every page, in each shipped language: each mnemonic leads to one control, a label's
    // "&" is a mnemonic (it has a field to lead to), and the tabs show their captions whole.
    void eachPageHasItsOwnMnemonics_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("built-in") << QString();
        QTest::newRow("Deutsch") << QStringLiteral("Deutsch");
    }
    void eachPageHasItsOwnMnemonics() {
        QFETCH(QString, language);
        const tw::test::ShippedLanguages shipped(TW_SOURCE_DIR);
        if (!language.isEmpty())
            QVERIFY(base::SetLanguage(language.toStdString()));
        FreeDbWindowFixture f;
        FreeDbSettingsDialog dialog(f.context());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto& pages = child<QTabWidget>(dialog, "pages");
        for (int index = 0; index < pages.count(); ++index) {
            QWidget& page = *pages.widget(index);
            // The dialog's own buttons (OK, Cancel) share every page's keys.
            QStringList shownTexts;
            for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
                if (!pages.isAncestorOf(button))
                    shownTexts << button->text();
            shownTexts << mnemonicTexts(page);
            QHash<QChar, QString> taken;
            for (const QString& shown : shownTexts) {
                const QChar letter = mnemonicOf(shown);
                if (letter.isNull())
                    continue;
                QVERIFY2(!taken.contains(letter),
                         qPrintable(taken.value(letter) + QStringLiteral(" / ") + shown));
                taken.insert(letter, shown);
            }
            for (QLabel* label : page.findChildren<QLabel*>())
                QVERIFY2(mnemonicOf(label->text()).isNull() || label->buddy(),
                         qPrintable(label->text()));
            const QTabBar& bar = *pages.tabBar();
            QString caption = pages.tabText(index);
            caption.remove(QLatin1Char('&'));
            QVERIFY(bar.rect().contains(bar.tabRect(index)));
            QVERIFY2(bar.tabRect(index).width() > bar.fontMetrics().horizontalAdvance(caption),
                     qPrintable(caption));
        }
    }

    // Ctrl+Tab turns the page from whichever field has the focus, lists included.
    void ctrlTabTurnsThePageFromAnyField() {
        FreeDbWindowFixture f;
        FreeDbSettingsDialog dialog(f.context());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto& pages = child<QTabWidget>(dialog, "pages");
        for (int index = 0; index < pages.count(); ++index) {
            pages.setCurrentIndex(index);
            for (QWidget* field : pages.widget(index)->findChildren<QWidget*>()) {
                if (!field->isVisible() || !field->isEnabled() ||
                    !(field->focusPolicy() & Qt::TabFocus))
                    continue;
                pages.setCurrentIndex(index);
                field->setFocus();
                QTRY_VERIFY(field->hasFocus());
                QTest::keyClick(field, Qt::Key_Tab, Qt::ControlModifier);
                QVERIFY2(pages.currentIndex() == (index + 1) % pages.count(),
                         field->metaObject()->className());
            }
        }
        pages.setCurrentIndex(0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(pages.currentIndex(), pages.count() - 1);
    }

    void databaseInfoGathersEachTabOnItsOwnThread() {
        FreeDbWindowFixture f;
        f.database.setStatLines({"Database entries: 42",
                                 "Database entries by category:", "    rock: 40", "    jazz: 2",
                                 "current users: 3", "max users: 100"});
        f.pointAtServers();
        QVERIFY(freedb::CdPlayerIniStore(f.cdPlayerIni).write(storedAlbum("rock")));
        QVERIFY(freedb::LocalAlbumDatabase(f.storedConfig().localDb).write(storedAlbum("jazz")));
        auto window = f.open(TwoTrackDisc());
        QTRY_VERIFY(!window->isBusy());

        const std::string saved = (f.dir / "info.txt").string();
        f.port.savePaths = {saved};
        QStringList shown;
        ModalAnswer info([&](QWidget& dialog) {
            auto& d = static_cast<DatabaseInfoDialog&>(dialog);
            QTRY_VERIFY(
                d.textOf(DatabaseInfoDialog::CdPlayer).endsWith(QStringLiteral("Tracklists:\t1")));
            ClickTab(d.tabs(), d.tabs().widget(DatabaseInfoDialog::Server));
            QTRY_VERIFY(d.textOf(DatabaseInfoDialog::Server)
                            .startsWith(QStringLiteral("Total albums:\t\t42\n")));
            ClickTab(d.tabs(), d.tabs().widget(DatabaseInfoDialog::LocalDatabase));
            QTRY_VERIFY(d.textOf(DatabaseInfoDialog::LocalDatabase)
                            .startsWith(QStringLiteral("Total albums:\t\t1\n")));
            shown << d.textOf(DatabaseInfoDialog::Server)
                  << d.textOf(DatabaseInfoDialog::LocalDatabase);
            test::clickButton(dialog, QStringLiteral("Save..."));
            test::clickButton(dialog, QStringLiteral("Close"));
        });
        QTest::keyClick(window.get(), Qt::Key_D, Qt::ControlModifier);
        QVERIFY(info.answered());
        QVERIFY(shown.value(0).contains(QStringLiteral("\tRock:\t\t40\n")));
        QCOMPARE(QString::fromStdString(test::fileText(saved)), shown.value(1));

        // A server that cannot be reached: the tab says so, and Refresh asks again.
        freedb::StoreConfig config = f.storedConfig();
        config.freedb.remotePort = "1";
        QVERIFY(freedb::SaveStoreConfig(config, f.settings));
        DatabaseInfoDialog dialog(f.context());
        dialog.show();
        ClickTab(dialog.tabs(), dialog.tabs().widget(DatabaseInfoDialog::Server));
        QTRY_COMPARE(dialog.textOf(DatabaseInfoDialog::Server),
                     QStringLiteral("Can't retrieve info!"));
        test::clickButton(dialog, QStringLiteral("Refresh"));
        QCOMPARE(dialog.textOf(DatabaseInfoDialog::Server), QStringLiteral("Retrieving info ..."));
        QTRY_COMPARE(dialog.textOf(DatabaseInfoDialog::Server),
                     QStringLiteral("Can't retrieve info!"));
    }

    void aSettingsChangeReachesTheNextLookup() {
        FreeDbWindowFixture f;
        f.database.add(DiscRecord("rock", "Band / First"));
        f.pointAtServers();
        auto first = f.open(TwoTrackDisc());
        QTRY_VERIFY(Retrieved(*first, "rock"));
        QVERIFY(f.web->requests().empty());

        ModalAnswer settings([&f](QWidget& dialog) {
            auto& d = static_cast<FreeDbSettingsDialog&>(dialog);
            retype(child<QLineEdit>(dialog, "serverPort"), QString::number(f.web->port()));
            retype(child<QLineEdit>(dialog, "httpPath"), QStringLiteral("/cgi bin/cddb.cgi"));
            child<QCheckBox>(dialog, "useHttp").click();
            // The tree groups by artist only from now on.
            ClickTab(d.pages(), d.pages().widget(3));
            auto& levels = child<OrderedCheckList>(dialog, "treeLevels");
            for (int row : {0, 2}) {
                levels.list().setCurrentRow(row);
                child<QAbstractButton>(levels, "toggle").click();
            }
            test::clickButton(dialog, QStringLiteral("OK"));
        });
        QTest::keyClick(first.get(), Qt::Key_F12);
        QVERIFY(settings.answered());
        const freedb::FreeDbSettings stored = f.storedConfig().freedb;
        QVERIFY(stored.useHttp());
        QCOMPARE(stored.remoteHttpPath, std::string("/cgi bin/cddb.cgi"));
        AlbumNode* regrouped =
            first->trees().lookup().findAlbum(FoundIn::FreeDb, "rock", "0d01a202");
        QCOMPARE(regrouped->text(0), QStringLiteral("Band"));
        QCOMPARE(regrouped->parent()->text(0), QStringLiteral("From CDDB"));
        first->action(C::Exit)->trigger();

        auto next = f.open(TwoTrackDisc());
        QTRY_VERIFY(Retrieved(*next, "rock"));
        QVERIFY(!f.web->requests().empty());
        const test::FakeHttpRequest query = f.web->requests().front();
        QCOMPARE(query.rejection, std::string());
        QVERIFY(query.target.starts_with("/cgi%20bin/cddb.cgi?cmd=cddb+query+0d01a202"));
    }

    void defaultsAskFirstAndRestoreThePageShown() {
        FreeDbWindowFixture f;
        f.pointAtServers();
        // Filling the pages changes nothing: OK without an edit stores what was stored.
        const std::string file = test::fileText(f.cdPlayerIni);
        {
            FreeDbSettingsDialog untouched(f.context());
            untouched.show();
            test::clickButton(untouched, QStringLiteral("OK"));
        }
        QCOMPARE(test::fileText(f.cdPlayerIni), file);
        QVERIFY(f.port.log.empty());

        FreeDbSettingsDialog dialog(f.context());
        dialog.show();
        auto& timeout = child<QLineEdit>(dialog, "timeout");
        QCOMPARE(timeout.text(), QStringLiteral("5"));
        f.port.answers = {Answer::No};
        test::clickButton(dialog, QStringLiteral("Default"));
        QCOMPARE(timeout.text(), QStringLiteral("5"));
        f.port.answers = {Answer::Yes};
        test::clickButton(dialog, QStringLiteral("Default"));
        QCOMPARE(f.port.log.back(),
                 std::string("ask:Are you sure to set default settings for the current page?"));
        QCOMPARE(timeout.text(), QStringLiteral("30"));
        QCOMPARE(child<QLineEdit>(dialog, "serverPort").text(), QStringLiteral("8880"));
        test::clickButton(dialog, QStringLiteral("OK"));
        const freedb::FreeDbSettings stored = f.storedConfig().freedb;
        QCOMPARE(stored.timeout, 30u);
        // The other pages kept what they had.
        QCOMPARE(stored.maxThreadsCount, 5);
        QCOMPARE(f.storedConfig().localDb.root, f.databaseRoot);
    }

    void theServerListIsRetrievedChosenFromAndKept() {
        FreeDbWindowFixture f;
        f.database.setSites({"one.example.test cddbp 8880 - N000.00 W000.00 First mirror",
                             "two.example.test http 80 /~cddb/cddb.cgi N001.00 W001.00 Second"});
        f.pointAtServers();
        FreeDbSettingsDialog dialog(f.context());
        dialog.show();
        QString first;
        ModalAnswer list([&first](QWidget& servers) {
            auto& rows = child<QListWidget>(servers, "servers");
            QTRY_COMPARE(rows.count(), 2);
            first = rows.item(0)->text();
            QTest::mouseClick(rows.viewport(), Qt::LeftButton, {},
                              rows.visualItemRect(rows.item(1)).center());
            test::clickButton(servers, QStringLiteral("OK"));
        });
        test::clickButton(dialog, QStringLiteral("Get List of FreeDB Servers..."));
        QVERIFY(list.answered());
        QCOMPARE(first, QStringLiteral("01 - one.example.test:8880 (cddbp) First mirror"));
        QCOMPARE(child<QLineEdit>(dialog, "serverHost").text(), QStringLiteral("two.example.test"));
        QCOMPARE(child<QLineEdit>(dialog, "serverPort").text(), QStringLiteral("80"));
        QVERIFY(child<QCheckBox>(dialog, "useHttp").isChecked());
        QCOMPARE(child<QComboBox>(dialog, "serverList").currentText(),
                 QStringLiteral("two.example.test /http/ (Second)"));
        // The list is kept at once; the chosen server when the settings are stored.
        QCOMPARE(f.storedConfig().freedb.servers.size(), 2u);
        QCOMPARE(f.storedConfig().freedb.remoteServer, std::string("127.0.0.1"));
        test::clickButton(dialog, QStringLiteral("OK"));
        QCOMPARE(f.storedConfig().freedb.remoteServer, std::string("two.example.test"));
    }

    void aProxyThatRefusesIsAnsweredOnceARun() {
        FreeDbWindowFixture f;
        f.database.add(DiscRecord("rock", "Band / First"));
        test::FakeHttpOptions options;
        options.proxyAuthorization = "Basic " + freedb::Base64("user:secret");
        test::FakeHttpServer proxy(test::CddbHttpHandler(f.database), options);
        f.pointAtServers(true);
        freedb::StoreConfig config = f.storedConfig();
        config.freedb.remoteServer = "cddb.example.test";
        config.freedb.proxyServer = "127.0.0.1";
        config.freedb.proxyPort = std::to_string(proxy.port());
        config.freedb.setOption(freedb::FreeDbSettings::kOptionProxy, true);
        QVERIFY(freedb::SaveStoreConfig(config, f.settings));
        f.shell.proxyCredentials = {{"user", "secret"}};

        auto window = f.open(TwoTrackDisc());
        QTRY_VERIFY(Retrieved(*window, "rock"));
        QCOMPARE(f.shell.log, std::vector<std::string>{"proxy:"});
        window.reset();
        auto again = f.open(TwoTrackDisc());
        QTRY_VERIFY(Retrieved(*again, "rock"));
        QCOMPARE(f.shell.log.size(), 1u);
        // What was entered stays in memory; the stored settings are as they were.
        QCOMPARE(f.storedConfig().freedb.proxyPassword, std::string());
    }

    void theRealPromptAndExportDialogsAnswerWhatTheUserEntered() {
        QtShellPort shell;
        ModalAnswer credentials([](QWidget& dialog) {
            retype(child<QLineEdit>(dialog, "proxyPassword"), QStringLiteral("typed"));
            test::clickButton(dialog, QStringLiteral("OK"));
        });
        std::string user = "stored";
        std::string password;
        QVERIFY(shell.askProxyCredentials(user, password));
        QCOMPARE(user + ":" + password, std::string("stored:typed"));

        test::TempDir dir;
        ModalAnswer exported([&dir](QWidget& dialog) {
            auto& files = static_cast<QFileDialog&>(dialog);
            files.setDirectory(QString::fromStdString(dir.path().string()));
            auto& type = child<QComboBox>(dialog, "fileTypeCombo");
            type.setFocus();
            QTest::keyClick(&type, Qt::Key_Up);
            child<QCheckBox>(dialog, "openExported").click();
            retype(child<QLineEdit>(dialog, "fileNameEdit"), QStringLiteral("album"));
            QTest::keyClick(&child<QLineEdit>(dialog, "fileNameEdit"), Qt::Key_Return);
        });
        const auto choice = shell.askAlbumExport("0d01a202", 3, true);
        QVERIFY(choice);
        QCOMPARE(choice->path, (dir.path() / "album.rtf").string());
        QCOMPARE(choice->filterIndex, 2);
        QVERIFY(!choice->openAfterwards);
    }
};

}  // namespace tw::gui

QTEST_MAIN(tw::gui::FreeDbDialogsTest)
#include "freedb_dialogs_test.moc"
