// SPDX-License-Identifier: GPL-2.0-or-later
// The interface in another language: menus, status bar, tabs, the language menu, the
// shipped language files, and language files that are broken in every way a file can be.
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <map>

#include "base/format.h"
#include "base/language.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "base/text.h"
#include "gui/actions/main_menu.h"
#include "gui/app/application.h"
#include "gui/mainwindow/main_window.h"
#include "gui/mainwindow/status_panes.h"
#include "gui/support/app_harness.h"
#include "gui/support/named_child.h"
#include "gui/views/file_list_view.h"
#include "gui/views/suggestion_field.h"
#include "gui/views/tag_tabs_view.h"
#include "support/file_text.h"

namespace fs = std::filesystem;
namespace ids = tw::base::ids;
using tw::test::AppHarness;
using tw::test::child;
using Answer = tw::base::UserPort::Answer;

namespace {

fs::path languageFolder() {
    return fs::path(TW_SOURCE_DIR) / "data" / "Lng";
}

std::string shippedFile(const std::string& name) {
    return tw::test::fileText(languageFolder() / name);
}

using Entries = std::map<std::string, std::map<int, std::string>>;  // section -> id -> value

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    const auto last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// Reads a shipped file strictly: anything that is not a comment, a section or an entry of a
// section is reported in `problems`.
Entries readStrictly(const fs::path& path, QStringList& problems) {
    Entries entries;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    std::string section;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const QString where = QString::fromStdString(path.filename().string()) + QLatin1Char(':') +
                              QString::number(number);
        line = trimmed(line);
        if (!tw::base::isValidUtf8(line))
            problems << where + QStringLiteral(" is not UTF-8");
        if (line.empty() || line[0] == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string::npos || section.empty()) {
            problems << where + QStringLiteral(" is no entry of a section");
            continue;
        }
        const std::string key = trimmed(line.substr(0, equals));
        const std::string value = trimmed(line.substr(equals + 1));
        if (section == "Description")
            continue;
        int id = 0;
        try {
            id = std::stoi(key);
        } catch (const std::exception&) {
            problems << where + QStringLiteral(" has no numeric key");
            continue;
        }
        if (!entries[section].emplace(id, value).second)
            problems << where + QStringLiteral(" repeats its key");
    }
    return entries;
}

bool sectionFits(int id, const std::string& section) {
    if (section == "ToolTips" || section == "StatusBarMessages")
        return true;
    if (section == "MenusHeads")
        return id >= ids::kMenuHeadFirst && id < ids::kMenuHeadFirst + 10;
    if (section == "CommonButtons")
        return id >= ids::kButtonOk && id <= ids::kButtonDefault;
    return tw::base::LangString().SectionOf(id) == section;
}

QString spokenName(QWidget& control) {
    return QAccessible::queryAccessibleInterface(&control)->text(QAccessible::Name);
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
        // The keys are named as Qt names them in the language.
        QCOMPARE(h.action(ids::kCmdFileInfo)->text().section(QLatin1Char('\t'), 1),
                 QStringLiteral("Alt+Eingabe"));
        QCOMPARE(h.window().statusPanes().countsText(),
                 QStringLiteral("2 ausgewählt | 0 geändert | 2 Dateien"));
        QCOMPARE(h.window().statusPanes().message(), QStringLiteral("Bereit"));
        QCOMPARE(h.window().tagTabs().tabText(1), QStringLiteral("Erweitert"));
        // What a screen reader calls the controls is in the language too, labelled or not.
        QCOMPARE(spokenName(h.window().fileList()), QStringLiteral("Dateien"));
        QCOMPARE(spokenName(child<tw::gui::SuggestionField>(h.window(), "artist").comboBox()),
                 QStringLiteral("Interpret"));

        QVERIFY(languageEntries(h.window()).at(1)->isChecked());

        // Opening a popup translates the menu again.
        h.action(ids::kCmdExit)->setText(QStringLiteral("changed"));
        h.window().mainMenu()->popup(0)->setTitle(QStringLiteral("changed"));
        Q_EMIT h.window().mainMenu()->popup(3)->aboutToShow();
        QCOMPARE(h.action(ids::kCmdExit)->text(), QStringLiteral("&Beenden"));
        QCOMPARE(h.window().mainMenu()->popup(0)->title(), QStringLiteral("&Ordner"));

        h.port.answers.push_back(Answer::No);
        QVERIFY(h.trigger(ids::kCmdLanguageDefault));
        QCOMPARE(h.port.log.back(),
                 "ask:Das Programm muss neu gestartet werden, um die Sprache der Oberfläche zu "
                 "wechseln.\nFortfahren?");
        QCOMPARE(h.store.getString("Settings", "Language", ""), std::string("Deutsch"));
    }

    // Qt's own texts (the buttons of questions, file dialogs) follow the interface language:
    // by the locale the language file names, else by its name.
    void qtsOwnTextsFollowTheLanguage_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("cancel");
        QTest::newRow("named locale")
            << QStringLiteral("Deutsch") << QByteArray::fromStdString(shippedFile("Deutsch.lng"))
            << QStringLiteral("Abbrechen");
        QTest::newRow("locale beats the name")
            << QStringLiteral("Deutsch") << QByteArray("[Description]\nlocale=fr\n")
            << QStringLiteral("Annuler");
        QTest::newRow("native name")
            << QStringLiteral("Nederlands") << QByteArray("[MenuItems]\n62000=Gereed\n")
            << QStringLiteral("Annuleren");
        QTest::newRow("code as name")
            << QStringLiteral("fr") << QByteArray() << QStringLiteral("Annuler");
        QTest::newRow("unknown") << QStringLiteral("Klingonisch")
                                 << QByteArray("[Description]\nlocale=??\n")
                                 << QStringLiteral("Cancel");
        QTest::newRow("built-in texts") << QString() << QByteArray() << QStringLiteral("Cancel");
    }

    void qtsOwnTextsFollowTheLanguage() {
        QFETCH(QString, language);
        QFETCH(QByteArray, content);
        QFETCH(QString, cancel);
        AppHarness h;
        if (!language.isEmpty()) {
            h.addLanguageFile(language.toStdString() + ".lng", content.toStdString());
            h.store.setString("Settings", "Language", language.toStdString());
        }
        QVERIFY(h.start());
        QMessageBox question;
        question.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(question.button(QMessageBox::Cancel)->text(), cancel);
    }

    // Whatever a language file holds, the program starts, and every menu keeps a usable text.
    void brokenLanguageFilesFallBackToBuiltInTexts_data() {
        QTest::addColumn<QByteArray>("content");
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
                open.startsWith(QStringLiteral("xxx")));
        QCOMPARE(h.window().statusPanes().countsText(),
                 QStringLiteral("1 selected | 0 changed | 1 files"));
    }

    // Every entry of the shipped files names a text the program has, in the section where
    // the program looks for it, and keeps the built-in text's conversions.
    void everyShippedEntryFitsTheProgram() {
        int files = 0;
        for (const auto& file : fs::directory_iterator(languageFolder())) {
            if (file.path().extension() != ".lng")
                continue;
            ++files;
            QStringList problems;
            const Entries entries = readStrictly(file.path(), problems);
            for (const auto& [section, values] : entries) {
                for (const auto& [id, value] : values) {
                    const QString where = QString::fromStdString(file.path().filename().string() +
                                                                 " [" + section + "] ") +
                                          QString::number(id);
                    const std::string_view builtin = tw::base::builtinText(id);
                    if (builtin.empty())
                        problems << where + QStringLiteral(": no such text");
                    if (!sectionFits(id, section))
                        problems << where + QStringLiteral(": wrong section");
                    const std::size_t length = tw::base::codePointCount(value);
                    if (length < 2 || length > 299)
                        problems << where + QStringLiteral(": length ") + QString::number(length);
                    const bool formatted = section != "MenusHeads" && section != "ToolTips" &&
                                           section != "StatusBarMessages";
                    if (formatted && tw::base::conversionSignature(tw::base::Unescape(value)) !=
                                         tw::base::conversionSignature(builtin))
                        problems << where + QStringLiteral(": conversions differ");
                }
            }
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
        }
        QVERIFY(files >= 2);
    }
};

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
