// The interface in another language: menus, status bar, tabs, the About box, the language
// menu, and language files that are broken in every way a file can be.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>
#include <filesystem>

#include "base/language.h"
#include "base/string_ids.h"
#include "gui/app/about_dialog.h"
#include "gui/app/application.h"
#include "gui/commands/command_set.h"
#include "gui/commands/main_menu.h"
#include "gui/mainwindow/main_window.h"
#include "gui/mainwindow/status_panes.h"
#include "gui/support/app_harness.h"
#include "gui/views/tag_tabs_view.h"
#include "support/file_text.h"

namespace ids = tw::base::ids;
using tw::test::AppHarness;
using Answer = tw::base::UserPort::Answer;

namespace {

std::string shippedFile(const std::string& name) {
    return tw::test::fileText(std::filesystem::path(TW_SOURCE_DIR) / "data" / "Lng" / name);
}

QString menuTitles(const tw::gui::MainWindow& window) {
    QStringList titles;
    for (QAction* popup : window.menuBar()->actions())
        titles << popup->text();
    return titles.join(QLatin1Char('|'));
}

QList<QAction*> languageEntries(const tw::gui::MainWindow& window) {
    return window.mainMenu()->popup(8)->actions();
}

}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theGermanFileTranslatesTheWindow() {
        AppHarness h;
        h.addFile("a.mp3");
        h.addFile("b.mp3");
        h.addLanguageFile("Deutsch.lng", shippedFile("Deutsch.lng"));
        h.store.setString("Settings", "Language", "Deutsch");
        QVERIFY(h.start());
        QCOMPARE(menuTitles(h.window()),
                 QStringLiteral("&Ordner|&Datei|&Bearbeiten|ID3-&Tags|E&xport|&Einstellungen|"
                                "&Ansicht|&Spalten|&Sprache|&Hilfe"));
        QCOMPARE(h.action(ids::kCmdOpenFile)->text(), QStringLiteral("&Datei öffnen...\tStrg+O"));
        QCOMPARE(h.action(ids::kCmdOpenFile)->statusTip(),
                 QStringLiteral("Audiodateien in die Dateiliste öffnen"));
        QCOMPARE(h.action(ids::kCmdColumnYear)->text(), QStringLiteral("Jahr"));
        QCOMPARE(h.window().statusPanes().countsText(),
                 QStringLiteral("2 ausgewählt | 0 geändert | 2 Dateien"));
        QCOMPARE(h.window().statusPanes().message(), QStringLiteral("Bereit"));
        QCOMPARE(h.window().tagTabs().tabText(1), QStringLiteral("Erweitert"));

        const QList<QAction*> entries = languageEntries(h.window());
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0]->text(), QStringLiteral("Englisch (Standard)"));
        QVERIFY(!entries[0]->isChecked());
        QCOMPARE(entries[1]->text(), QStringLiteral("Deutsch"));
        QVERIFY(entries[1]->isChecked());

        tw::gui::AboutDialog about;
        QCOMPARE(about.windowTitle(), QStringLiteral("Über Tunewright"));
        QVERIFY(
            about.lines().contains(QStringLiteral("Übersetzt von Tunewright-Übersetzungsteam")));

        h.port.answers.push_back(Answer::No);
        QVERIFY(h.trigger(ids::kCmdLanguageDefault));
        QCOMPARE(h.port.log.back(),
                 "ask:Das Programm muss neu gestartet werden, um die Sprache der Oberfläche zu "
                 "wechseln.\nFortfahren?");
        QCOMPARE(h.store.getString("Settings", "Language", ""), std::string("Deutsch"));
    }

    void theBuiltInTextsNameTheirAuthor() {
        AppHarness h;
        QVERIFY(h.start());
        tw::gui::AboutDialog about;
        QCOMPARE(about.lines().at(0), QStringLiteral("Tunewright"));
        QCOMPARE(about.lines().at(1), QStringLiteral("Version ") + QStringLiteral(TW_VERSION));
        QCOMPARE(about.lines().at(2), QStringLiteral("Translated by Brindlewood"));
    }

    void openingAPopupTranslatesTheMenuAgain() {
        AppHarness h;
        h.addLanguageFile("Deutsch.lng", shippedFile("Deutsch.lng"));
        h.store.setString("Settings", "Language", "Deutsch");
        QVERIFY(h.start());
        h.action(ids::kCmdExit)->setText(QStringLiteral("changed"));
        h.window().mainMenu()->popup(0)->setTitle(QStringLiteral("changed"));
        Q_EMIT h.window().mainMenu()->popup(3)->aboutToShow();
        QCOMPARE(h.action(ids::kCmdExit)->text(), QStringLiteral("&Beenden"));
        QCOMPARE(h.window().mainMenu()->popup(0)->title(), QStringLiteral("&Ordner"));
    }

    void theLanguageMenuListsThirtyNineFilesAndEnablesTwenty() {
        AppHarness h;
        for (int i = 0; i < 41; ++i)
            h.addLanguageFile("l" + std::to_string(100 + i) + ".lng", "[MenuItems]\n");
        QVERIFY(h.start());
        const QList<QAction*> entries = languageEntries(h.window());
        QCOMPARE(entries.size(), 1 + 39);
        int enabled = 0;
        for (int i = 1; i < entries.size(); ++i) {
            h.app().commands().updateStates();
            enabled += entries[i]->isEnabled() ? 1 : 0;
            QVERIFY(entries[i]->text().startsWith(QLatin1Char('l')));
        }
        QCOMPARE(enabled, 20);
    }

    void aNameIsTheFileNameUpToItsFirstDot() {
        AppHarness h;
        h.addLanguageFile("de.x.lng", "[MenusHeads]\n57671=Ordner\n");
        h.store.setString("Settings", "Language", "de");
        QVERIFY(h.start());
        const QList<QAction*> entries = languageEntries(h.window());
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[1]->text(), QStringLiteral("de"));
    }

    // Whatever a language file holds, the program starts, and every menu keeps a usable text.
    void brokenLanguageFilesFallBackToBuiltInTexts_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("no sections") << QByteArray("57601=Offnen\n57671=Ordner\n");
        QTest::newRow("absurd ids") << QByteArray(
            "[MenuItems]\n99999999999999999999=x\n-57601=yy\n0x57601=zz\n 57601 \n=\n");
        QTest::newRow("one character")
            << QByteArray("[MenuItems]\n57601=O\n[MenusHeads]\n57671=O\n");
        QTest::newRow("hostile formats")
            << QByteArray("[StatusBarIndicators]\n57348=%s%s%n%d\n57350=%999999999d\n");
        QByteArray latin1("[MenuItems]\n57601=\xD6\x66\x66nen\n");
        QTest::newRow("not UTF-8") << latin1;
        QByteArray huge("[MenuItems]\n57601=");
        huge.append(QByteArray(400, 'x'));
        huge.append("\n");
        for (int i = 0; i < 200000; ++i)
            huge.append("junk line without equals sign ")
                .append(QByteArray::number(i))
                .append('\n');
        QTest::newRow("huge with a long value") << huge;
        QByteArray binary;
        for (int i = 0; i < 70000; ++i)
            binary.append(static_cast<char>((i * 7919) & 0xff));
        QTest::newRow("binary") << binary;
    }

    void brokenLanguageFilesFallBackToBuiltInTexts() {
        QFETCH(QByteArray, content);
        AppHarness h;
        h.addFile("a.mp3");
        h.addLanguageFile("Bad.lng", content.toStdString());
        h.store.setString("Settings", "Language", "Bad");
        QVERIFY(h.start());
        QCOMPARE(h.window().mainMenu()->popup(0)->title(), QStringLiteral("Fol&der"));
        const QString open = h.action(ids::kCmdOpenFile)->text();
        QVERIFY(!open.isEmpty());
        QVERIFY(open.size() <= 299);
        QVERIFY(open == QStringLiteral("&Open File...\tCtrl+O") ||
                open == QStringLiteral("Öffnen") || open.startsWith(QStringLiteral("xxx")));
        QCOMPARE(h.window().statusPanes().countsText(),
                 QStringLiteral("1 selected | 0 changed | 1 files"));
    }
};

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
