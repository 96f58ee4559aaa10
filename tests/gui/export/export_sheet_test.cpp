// SPDX-License-Identifier: GPL-2.0-or-later
// The export sheet as a user drives it: the choices it offers and keeps, and the file the
// export then writes, read back from the disk.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "base/app_paths.h"
#include "base/language.h"
#include "export/export_columns.h"
#include "gui/export/export_page.h"
#include "gui/export/export_sheet.h"
#include "gui/export/export_target.h"
#include "gui/export/export_template_page.h"
#include "gui/export/playlist_dialog.h"
#include "gui/support/modal_answer.h"
#include "gui/support/named_child.h"
#include "gui/support/scripted_shell_port.h"
#include "gui/support/user_input.h"
#include "gui/views/view_fixture.h"
#include "support/file_text.h"
#include "support/temp_dir.h"

namespace tw::gui {

namespace {

namespace fs = std::filesystem;
using exports::DocumentKind;
using test::child;
using test::clickButton;
using test::clickOnBox;
using test::filesIn;
using test::Frames;
using test::ModalAnswer;

constexpr ExportSheetKind kHtmlList{false, DocumentKind::Html};
constexpr ExportSheetKind kHtmlTemplate{true, DocumentKind::Html};
constexpr ExportSheetKind kRtfTemplate{true, DocumentKind::Rtf};

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

QCheckBox& column(QWidget& sheet, int index) {
    return child<QCheckBox>(sheet, QStringLiteral("column%1").arg(index).toLatin1().constData());
}

// The export columns checked on the sheet, ascending.
QList<int> checkedColumns(QWidget& sheet) {
    QList<int> checked;
    for (int index = 1; index <= exports::kExportColumnCount; ++index)
        if (column(sheet, index).isChecked())
            checked << index;
    return checked;
}

QList<int> allColumnsButPicture() {
    QList<int> all;
    for (int index = 1; index <= exports::kExportColumnCount; ++index)
        if (index != exports::kPictureColumn)
            all << index;
    return all;
}

void typeName(QWidget& sheet, const QString& name) {
    test::retype(child<QLineEdit>(sheet, "fileName"), name);
}

// Whether the sheet stored any of its choices.
bool storedChoices(const base::SettingsStore& store) {
    for (int index = 1; index <= exports::kExportColumnCount; ++index)
        if (store.hasValue("Export", "c" + std::to_string(index)))
            return true;
    return store.hasValue("Export", "TemplateID1") || store.hasValue("Export", "TemplateID2") ||
           store.hasValue("SymbolReplacement", "ItemsCount");
}

// Points the program's data folders at a folder of the test's, and back.
struct DataFolders {
    base::AppPaths saved = base::appPaths();
    test::TempDir dir;
    explicit DataFolders(const fs::path& install = {}) {
        base::AppPaths paths = saved;
        paths.installDataFolder = install.empty() ? dir / "share" : install;
        paths.userDataFolder = install.empty() ? dir / "user" : install;
        base::setAppPaths(paths);
    }
    ~DataFolders() {
        base::SetLanguage("");
        base::setAppPaths(saved);
    }
    void addTemplate(const std::string& name, const std::string& text) {
        fs::create_directories(dir / "share" / "templates");
        std::ofstream(dir / "share" / "templates" / name, std::ios::binary) << text;
    }
};

// a.mp3 "One" by "Band" and b.mp3 "Two", both selected.
struct Files {
    test::ViewFixture f;
    test::ScriptedShellPort shell;
    Files() {
        f.write("a.mp3", std::nullopt, Frames{{"TIT2", "One"}, {"TPE1", "Band"}});
        f.write("b.mp3", std::nullopt, Frames{{"TIT2", "Two"}});
        f.scan();
    }
    // Runs the command of `kind`; `drive` acts on its sheet as the user does.
    void run(ExportSheetKind kind, const std::function<void(CPropertySheetExport&)>& drive) {
        ModalAnswer answer(
            [&drive](QWidget& sheet) { drive(static_cast<CPropertySheetExport&>(sheet)); });
        exportFileList(f.context, shell, kind, nullptr);
        QVERIFY(answer.answered());
    }
};

}  // namespace

class ExportSheetTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // HTML with two columns chosen by the user: the file holds those and the flags are kept;
    // the written file is handed to the desktop to open. The column buttons follow the one
    // rule of the picture column: never checked.
    void htmlWithTheColumnsChecked() {
        Files t;
        t.f.settings.setInt("Export", "c5", 0);
        t.run(kHtmlList, [](CPropertySheetExport& sheet) {
            QVERIFY(!sheet.pages().tabIcon(0).isNull() && !sheet.pages().tabIcon(1).isNull());
            QVERIFY(!column(sheet, exports::kPictureColumn).isEnabled());
            clickOnBox(child<QPushButton>(sheet, "invertAll"));
            QCOMPARE(checkedColumns(sheet), QList<int>{5});
            clickOnBox(child<QPushButton>(sheet, "invertAll"));
            QList<int> allBut5 = allColumnsButPicture();
            allBut5.removeOne(5);
            QCOMPARE(checkedColumns(sheet), allBut5);
            clickOnBox(child<QPushButton>(sheet, "checkAll"));
            QCOMPARE(checkedColumns(sheet), allColumnsButPicture());
            clickOnBox(child<QPushButton>(sheet, "uncheckAll"));
            clickOnBox(column(sheet, 3));
            clickOnBox(column(sheet, 2));
            typeName(sheet, QStringLiteral("list"));
            clickOnBox(child<QPushButton>(sheet, "export"));
        });
        const fs::path written = t.f.dir / "list.html";
        QCOMPARE(t.f.port.opened, std::vector<std::string>{written.string()});
        const std::string html = test::fileText(written);
        QVERIFY(html.find("\t<tr>\r\n\t\t<td><b>Title</b></td>\r\n\t\t<td><b>Artist</b></td>\r\n"
                          "\t</tr>\r\n\t<tr>\r\n\t\t<td>One</td>\r\n\t\t<td>Band</td>\r\n") !=
                std::string::npos);
        QVERIFY(html.find("a.mp3") == std::string::npos);
        QCOMPARE(t.f.settings.getInt("Export", "c2", 0), 1);
        QCOMPARE(t.f.settings.getInt("Export", "c1", 1), 0);
        QVERIFY(!t.f.settings.hasValue("Export", "c14"));

        // The next sheet opens with those columns.
        t.run(kHtmlList, [](CPropertySheetExport& sheet) {
            QCOMPARE(checkedColumns(sheet), (QList<int>{2, 3}));
            QTest::keyClick(&sheet, Qt::Key_Escape);
        });
    }

    // Changes on every page, then Cancel, Escape or the close button, or a walk through
    // every field without typing: nothing is written and nothing stored.
    void leavingTheSheetWritesNothing_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("cancel") << 0;
        QTest::newRow("escape") << 1;
        QTest::newRow("close button") << 2;
        QTest::newRow("no change") << 3;
    }
    void leavingTheSheetWritesNothing() {
        QFETCH(int, way);
        Files t;
        t.run(kHtmlList, [way](CPropertySheetExport& sheet) {
            if (way == 3) {
                QVERIFY(QTest::qWaitForWindowActive(&sheet));
                for (int i = 0; i < 30; ++i)
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(checkedColumns(sheet), allColumnsButPicture());
                sheet.close();
                return;
            }
            clickOnBox(child<QPushButton>(sheet, "uncheckAll"));
            typeName(sheet, QStringLiteral("gone"));
            sheet.pages().setCurrentIndex(1);
            auto& pairs = child<QTreeWidget>(sheet, "pairs");
            pairs.setCurrentItem(pairs.topLevelItem(0));
            clickOnBox(child<QPushButton>(sheet, "deletePair"));
            QCOMPARE(pairs.topLevelItemCount(), 12);
            if (way == 0)
                clickButton(sheet, QStringLiteral("Cancel"));
            else if (way == 1)
                QTest::keyClick(&sheet, Qt::Key_Escape);
            else
                sheet.close();
        });
        QCOMPARE(filesIn(t.f.dir.path()), test::texts({"a.mp3", "b.mp3"}));
        QVERIFY(t.f.port.opened.empty());
        QVERIFY(!storedChoices(t.f.settings));
    }

    // The file name is a name: "/" cannot be typed, and an empty name cannot be exported.
    void theFileNameMustBeAName() {
        Files t;
        t.run(kHtmlList, [](CPropertySheetExport& sheet) {
            auto& name = child<QLineEdit>(sheet, "fileName");
            auto& exportButton = child<QPushButton>(sheet, "export");
            QCOMPARE(name.text(), QStringLiteral("Export"));
            typeName(sheet, QStringLiteral("../up/list"));
            QCOMPARE(name.text(), QStringLiteral("..uplist"));
            typeName(sheet, QStringLiteral("  "));
            QVERIFY(!exportButton.isEnabled());
            QTest::keyClick(&name, Qt::Key_Return);
            QVERIFY(sheet.isVisible());
            typeName(sheet, QStringLiteral("list.HTM"));
            QVERIFY(exportButton.isEnabled());
            QTest::keyClick(&name, Qt::Key_Return);
        });
        QCOMPARE(filesIn(t.f.dir.path()), test::texts({"a.mp3", "b.mp3", "list.HTM"}));
    }

    // The folder comes from the folder picker only; a folder gone by the time of the export
    // is reported and nothing is opened.
    void theFolderIsPickedAndAVanishedOneIsReported() {
        Files t;
        const fs::path elsewhere = t.f.dir / "elsewhere";
        fs::create_directory(elsewhere);
        t.shell.folders = {elsewhere.string()};
        t.run(kHtmlList, [&](CPropertySheetExport& sheet) {
            auto& folder = child<QLineEdit>(sheet, "folder");
            QVERIFY(folder.isReadOnly());
            QCOMPARE(folder.text(), q(t.f.folder()));
            QTest::mouseClick(&child<QAbstractButton>(sheet, "pickFolder"), Qt::LeftButton);
            QCOMPARE(folder.text(), q(elsewhere.string()));
            QTest::mouseClick(&child<QAbstractButton>(sheet, "pickFolder"), Qt::LeftButton);
            QCOMPARE(folder.text(), q(elsewhere.string()));  // the picker was cancelled
            fs::remove(elsewhere);
            clickOnBox(child<QPushButton>(sheet, "export"));
        });
        QCOMPARE(t.shell.log, (std::vector<std::string>{"pick-folder:" + t.f.folder(),
                                                        "pick-folder:" + elsewhere.string()}));
        QCOMPARE(t.f.port.messages,
                 std::vector<std::string>{"Unable to create specified file:\n\n" +
                                          (elsewhere / "Export.html").string() +
                                          "\n\nNo such file or directory"});
        QVERIFY(t.f.port.opened.empty());
    }

    // The template page lists the templates of its kind, selects the one chosen last time
    // of that kind and keeps the user's pick; the export goes through that template.
    void theTemplatePickIsKeptPerKind() {
        DataFolders data;
        data.addTemplate("Plain.html",
                         "P<!--<tunewright_record>-->[<title>]<!--</tunewright_record>-->");
        data.addTemplate("alt.HTML",
                         "A<!--<tunewright_record>-->(<title>)<!--</tunewright_record>-->");
        data.addTemplate("Sheet.rtf",
                         "{<!--<tunewright_record>--><title><!--</tunewright_record>-->}");
        Files t;
        t.f.settings.setInt("Export", "TemplateID1", 3);
        QStringList offered;
        t.run(kHtmlTemplate, [&offered](CPropertySheetExport& sheet) {
            QComboBox& templates = sheet.templatePage()->templates();
            for (int i = 0; i < templates.count(); ++i)
                offered << templates.itemText(i);
            QCOMPARE(templates.currentText(), QStringLiteral("alt.HTML"));
            templates.setFocus();
            QTest::keyClick(&templates, Qt::Key_Down);
            typeName(sheet, QStringLiteral("out"));
            clickOnBox(child<QPushButton>(sheet, "export"));
        });
        QCOMPARE(offered, test::texts({"alt.HTML", "Plain.html"}));
        QCOMPARE(test::fileText(t.f.dir / "out.html"), std::string("P[One][Two]"));
        QCOMPARE(t.f.settings.getInt("Export", "TemplateID2", -1), 1);
        QCOMPARE(t.f.settings.getInt("Export", "TemplateID1", -1), 3);

        // An index beyond the list selects nothing; the export then says it has no template
        // to read, and the stored index stays.
        t.run(kRtfTemplate, [](CPropertySheetExport& sheet) {
            QComboBox& templates = sheet.templatePage()->templates();
            QCOMPARE(templates.count(), 1);
            QCOMPARE(templates.currentIndex(), -1);
            clickOnBox(child<QPushButton>(sheet, "export"));
        });
        QCOMPARE(t.f.port.messages,
                 std::vector<std::string>{"Unable to read content of the specified template "
                                          "file:\n\n"});
        QCOMPARE(t.f.settings.getInt("Export", "TemplateID1", -1), 3);
        QVERIFY(!fs::exists(t.f.dir / "Export.rtf"));
    }

    // The symbol page shows the table "SymbolReplacement" and the export stores it, pairs
    // added in the pair dialog included; no other table changes.
    void theSymbolPageEditsTheExportTable() {
        Files t;
        t.f.settings.setInt("SymbolReplacement", "ItemsCount", 1);
        t.f.settings.setString("SymbolReplacement", "Search0", "a b");
        t.f.settings.setString("SymbolReplacement", "Replace0", "c");
        t.run(kHtmlList, [](CPropertySheetExport& sheet) {
            sheet.pages().setCurrentIndex(1);
            auto& pairs = child<QTreeWidget>(sheet, "pairs");
            QCOMPARE(pairs.topLevelItem(0)->text(0), QStringLiteral("a[space]b"));
            ModalAnswer add([](QWidget& dialog) {
                QTest::keyClicks(&child<QLineEdit>(dialog, "before"), QStringLiteral("&"));
                QTest::keyClicks(&child<QLineEdit>(dialog, "after"), QStringLiteral("and"));
                clickButton(dialog, QStringLiteral("OK"));
            });
            clickOnBox(child<QPushButton>(sheet, "addPair"));
            QVERIFY(add.answered());
            QCOMPARE(pairs.topLevelItemCount(), 2);
            clickOnBox(child<QPushButton>(sheet, "export"));
        });
        QCOMPARE(t.f.settings.getInt("SymbolReplacement", "ItemsCount", 0), 2);
        QCOMPARE(t.f.settings.getString("SymbolReplacement", "Search0", ""), std::string("a b"));
        QCOMPARE(t.f.settings.getString("SymbolReplacement", "Replace1", ""), std::string("and"));
        QVERIFY(!t.f.settings.hasValue("SymbolReplacementTagToFilename", "ItemsCount"));
    }

    void theWindowsSpeakTheInterfaceLanguage() {
        DataFolders shipped(fs::path(TW_SOURCE_DIR) / "data");
        QVERIFY(base::SetLanguage("Deutsch"));
        Files t;
        CPropertySheetExport sheet(t.f.context, t.shell, kRtfTemplate);
        QCOMPARE(sheet.pages().tabText(0), QStringLiteral("Vorlage"));
        PlaylistDialog playlist(t.f.context, t.shell);
        QCOMPARE(playlist.windowTitle(), QStringLiteral("Wiedergabeliste erstellen"));
        QCOMPARE(playlist.typeChoice().currentText(), QStringLiteral("M3U erweitert"));
    }
};

}  // namespace tw::gui

QTEST_MAIN(tw::gui::ExportSheetTest)
#include "export_sheet_test.moc"
