// SPDX-License-Identifier: GPL-2.0-or-later
// The help as a user meets it: F1 in each window, the help pages themselves, the generated
// hot keys page, and the web site.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QRegularExpression>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <tuple>

#include "base/string_ids.h"
#include "gui/actions/command_table.h"
#include "gui/app/application.h"
#include "gui/commands/hot_keys_page.h"
#include "gui/document/edit_document.h"
#include "gui/mainwindow/main_window.h"
#include "gui/mainwindow/status_panes.h"
#include "gui/product.h"
#include "gui/rename/change_case_dialog.h"
#include "gui/rename/filename_rename_dialog.h"
#include "gui/rename/filename_to_tag_dialog.h"
#include "gui/shell/help_pages.h"
#include "gui/support/app_harness.h"
#include "gui/support/modal_answer.h"
#include "rename/change_case_command.h"
#include "support/file_text.h"

namespace fs = std::filesystem;
namespace ids = tw::base::ids;
namespace help = tw::gui::help;
using tw::test::AppHarness;

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

fs::path sourceHelp() {
    return fs::path(TW_SOURCE_DIR) / "data" / "help";
}

// A program whose installed data holds the real help pages.
struct WithHelp {
    AppHarness h;
    fs::path help = h.data / "share" / "help";
    WithHelp() { fs::copy(sourceHelp(), help, fs::copy_options::recursive); }
    QString lastOpened() const {
        return h.desktop.opened.empty() ? QString() : h.desktop.opened.back().url.toLocalFile();
    }
    QString page(std::string_view name) const { return q((help / name).string()); }
};

}  // namespace

class HelpTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // F1 opens the page of the window it is pressed in; a dialog without a page of its own
    // shows the page of the window it belongs to.
    void f1OpensThePageOfTheActiveWindow() {
        WithHelp w;
        QVERIFY(w.h.start());
        tw::gui::MainWindow& window = w.h.window();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_F1);
        QCOMPARE(w.lastOpened(), w.page(help::kIntroduction));

        QDialog dialog(&window);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        w.h.desktop.opened.clear();
        QTest::keyClick(&dialog, Qt::Key_F1);
        QCOMPARE(w.lastOpened(), w.page(help::kIntroduction));
        // Other keys with F1 are not the help.
        QTest::keyClick(&dialog, Qt::Key_F1, Qt::ShiftModifier);
        QCOMPARE(w.h.desktop.opened.size(), std::size_t{1});

        QVERIFY(w.h.trigger(ids::kCmdVisitWebSite));
        QCOMPARE(w.h.desktop.opened.back().url, QUrl(tw::gui::productWebPage()));
    }

    // Where the desktop cannot open what a command hands it, the user is told what could not
    // be opened (its path or address) and how to open it by hand; an earlier command's
    // success does not stay in the status bar.
    void aDesktopThatCannotOpenIsToldNotHidden_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("opening");
        QTest::newRow("help") << int(ids::kCmdHelp)
                              << QStringLiteral("The desktop has no program that opens");
        QTest::newRow("hot keys") << int(ids::kCmdHotKeys)
                                  << QStringLiteral("The desktop has no program");
        QTest::newRow("web site") << int(ids::kCmdVisitWebSite)
                                  << QStringLiteral("The desktop has no web browser that opens");
        QTest::newRow("play") << int(ids::kCmdPlay)
                              << QStringLiteral("The desktop has no program that opens");
    }
    void aDesktopThatCannotOpenIsToldNotHidden() {
        QFETCH(int, command);
        QFETCH(QString, opening);
        WithHelp w;
        w.h.addFile("a.mp3", "A");
        w.h.addFile("b.mp3", "B");
        QVERIFY(w.h.start());
        w.h.app().document().selectAll();
        w.h.desktop.opens = false;
        w.h.window().statusPanes().showMessage(QStringLiteral("Completed successfully"));

        QVERIFY(w.h.trigger(command));
        QCOMPARE(w.h.desktop.opened.size(), std::size_t{1});
        const QUrl url = w.h.desktop.opened.back().url;
        const QString what = url.isLocalFile() ? url.toLocalFile() : url.toString();
        QCOMPARE(w.h.port.messages.size(), std::size_t{1});
        const QString message = q(w.h.port.messages.back());
        QVERIFY2(message.startsWith(opening) &&
                     message.contains(QLatin1Char('\n') + what + QLatin1Char('\n')) &&
                     message.contains(QStringLiteral("by hand")),
                 qPrintable(message));
        QCOMPARE(w.h.window().statusPanes().message(), QStringLiteral("Ready"));
    }

    // Each renaming window opens its own page; the mask editor it opens would show the same.
    void f1InTheRenamingWindowsOpensTheirPages() {
        WithHelp w;
        w.h.addFile("a.mp3", "A");
        QVERIFY(w.h.start());
        using Make = std::function<std::unique_ptr<QDialog>(tw::gui::GuiContext&)>;
        tw::test::ScriptedShellPort& shell = w.h.shell;
        QWidget* main = &w.h.window();
        const std::tuple<int, Make, std::string_view> windows[] = {
            {ids::kCmdAdvancedRenaming,
             [&](tw::gui::GuiContext& c) {
                 return std::make_unique<tw::gui::DlgFilenameRename>(c, shell, main);
             },
             help::kRenaming},
            {ids::kCmdFilenameToTag,
             [&](tw::gui::GuiContext& c) {
                 return std::make_unique<tw::gui::DlgFilenameToTag>(c, shell, main);
             },
             help::kFilenameToTag},
            {ids::kCmdChangeArtistCase,
             [&](tw::gui::GuiContext& c) {
                 return std::make_unique<tw::gui::DlgChangeCase>(
                     c, tw::rename::ChangeCaseTarget::Artist, main);
             },
             help::kChangeCase},
        };
        for (const auto& [command, make, page] : windows) {
            shell.onRenamingWindow = [&make = make](tw::gui::GuiContext& context) {
                std::unique_ptr<QDialog> dialog = make(context);
                dialog->show();
                if (QTest::qWaitForWindowActive(dialog.get()))
                    QTest::keyClick(dialog.get(), Qt::Key_F1);
                return false;
            };
            w.h.desktop.opened.clear();
            QVERIFY(w.h.trigger(command));
            QCOMPARE(w.lastOpened(), w.page(page));
        }
    }

    // The playlist window and each export sheet, opened from their commands, open their
    // pages; F1 goes where a user's key goes, to the widget with the focus.
    void f1InThePlaylistWindowAndTheExportSheetsOpensTheirPages() {
        WithHelp w;
        w.h.addFile("a.mp3", "A");
        w.h.addFile("b.mp3", "B");
        QVERIFY(w.h.start());
        w.h.app().document().selectAll();
        const std::pair<int, std::string_view> windows[] = {
            {ids::kCmdCreatePlaylist, help::kPlaylist},   {ids::kCmdExportHtml, help::kExport},
            {ids::kCmdExportTemplateHtml, help::kExport}, {ids::kCmdExportRtf, help::kExport},
            {ids::kCmdExportTemplateRtf, help::kExport},
        };
        for (const auto& [command, page] : windows) {
            w.h.desktop.opened.clear();
            tw::test::ModalAnswer pressF1([](QWidget& window) {
                QWidget* focus = QApplication::focusWidget();
                QTest::keyClick(focus && focus->window() == &window ? focus : &window, Qt::Key_F1);
                QTest::keyClick(&window, Qt::Key_Escape);
            });
            QVERIFY(w.h.trigger(command));
            QVERIFY(pressF1.answered());
            QCOMPARE(w.h.desktop.opened.size(), std::size_t{1});
            QCOMPARE(w.lastOpened(), w.page(page));
        }
    }

    // Every page the program opens exists, and every link and picture of every page leads
    // to a file of the help folder.
    void thePagesAndTheirLinksExist() {
        for (std::string_view page :
             {help::kIntroduction, help::kRenaming, help::kFilenameToTag, help::kChangeCase,
              help::kPlaylist, help::kExport, help::kCdInfo, help::kCddbWindow, help::kCddbSettings,
              help::kHotKeys})
            QVERIFY2(fs::is_regular_file(sourceHelp() / page), page.data());
        const QRegularExpression reference(
            QStringLiteral("(?:href|src)=\"([^\"#:]+)(?:#[^\"]*)?\""));
        for (const auto& entry : fs::directory_iterator(sourceHelp())) {
            if (entry.path().extension() != ".htm")
                continue;
            const QString html = q(tw::test::fileText(entry.path()));
            QVERIFY2(html.contains(QStringLiteral("<title>")), entry.path().c_str());
            for (const QRegularExpressionMatch& m : reference.globalMatch(html)) {
                const fs::path target = sourceHelp() / m.captured(1).toStdString();
                QVERIFY2(fs::is_regular_file(target),
                         qPrintable(q(entry.path().filename().string() + " -> ") + m.captured(1)));
            }
        }
    }

    // The table is made from the command table, in the active language, with every text
    // escaped, and sits in the page's own words with its links still leading home.
    void theHotKeysPageIsMadeFromTheCommandTable() {
        WithHelp w;
        w.h.addLanguageFile("Test.lng", "[MenuItems]\n32816=<b>Abspielen</b> && &mehr\tStrg+P\n");
        w.h.store.setString("Settings", "Language", "Test");
        QVERIFY(w.h.start());
        QVERIFY(w.h.trigger(ids::kCmdHotKeys));
        const auto& opened = w.h.desktop.opened.back();
        QCOMPARE(opened.url.fileName(), QStringLiteral("08_hot_keys.htm"));
        QVERIFY(!opened.url.toLocalFile().startsWith(q(w.help.string())));
        const QString page = q(opened.text);

        const std::string words = tw::test::fileText(sourceHelp() / help::kHotKeys);
        QVERIFY(words.find(tw::gui::kHotKeysMark) != std::string::npos);
        QVERIFY(!page.contains(q(std::string(tw::gui::kHotKeysMark))));
        QVERIFY(page.contains(QStringLiteral("<base href=\"%1/\">")
                                  .arg(QUrl::fromLocalFile(q(w.help.string())).toString())));
        QVERIFY(page.contains(QStringLiteral("<title>")));

        int commandsWithKeys = 0;
        for (int id : tw::gui::mainMenuCommands())
            commandsWithKeys += tw::gui::hotKeys(id).empty() ? 0 : 1;
        // The list's own keys: Enter (two keys, one row) and Del.
        QCOMPARE(page.count(QStringLiteral("<tr>")), commandsWithKeys + 2);
        for (const char* row :
             {"<td>&lt;b&gt;Abspielen&lt;/b&gt; &amp; mehr</td><td><kbd>Ctrl+P</kbd>",
              "<td>ID3 Tags</td><td>Set Numbering</td><td><kbd>Ctrl+F5, Ctrl+N</kbd>",
              "<td>Help</td><td>Help</td><td><kbd>F1</kbd>",
              "<td>File List</td><td>Edit Filename</td><td><kbd>Return, Enter</kbd>",
              "<td>File List</td><td>Remove Files from File List</td><td><kbd>Del</kbd>"})
            QVERIFY2(page.contains(QLatin1String(row)), row);
        // Keys of commands this version leaves disabled say so; the others do not.
        for (int id : {ids::kCmdSettings, ids::kCmdFindFiles}) {
            const QString keys = q(std::string(tw::gui::hotKeys(id).front()));
            QVERIFY2(page.contains(QRegularExpression(
                         QStringLiteral("not available in this version\\)</em></td><td><kbd>%1<")
                             .arg(QRegularExpression::escape(keys)))),
                     qPrintable(keys));
        }
        QCOMPARE(page.count(QStringLiteral("not available")), 2);
    }

    // Without the page's words (a broken installation) the table still comes as a page.
    void theHotKeysPageStandsWithoutItsWords() {
        AppHarness h;
        QVERIFY(h.start());
        QVERIFY(h.trigger(ids::kCmdHotKeys));
        const QString page = q(h.desktop.opened.back().text);
        QVERIFY(page.startsWith(QStringLiteral("<!DOCTYPE html>")));
        QVERIFY(page.contains(QStringLiteral("<kbd>Ctrl+O</kbd>")));
    }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
