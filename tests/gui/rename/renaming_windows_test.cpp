// SPDX-License-Identifier: GPL-2.0-or-later
// Advanced Renaming, Filename > Tags and Change Case as a user drives them, checked on the
// files on disk and the records.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <algorithm>
#include <filesystem>

#include "base/app_paths.h"
#include "base/language.h"
#include "core/file_list.h"
#include "gui/common/gui_user_port.h"
#include "gui/rename/change_case_dialog.h"
#include "gui/rename/filename_rename_dialog.h"
#include "gui/rename/filename_to_tag_dialog.h"
#include "gui/rename/mask_selector.h"
#include "gui/support/modal_answer.h"
#include "gui/support/named_child.h"
#include "gui/support/scripted_shell_port.h"
#include "gui/support/shipped_languages.h"
#include "gui/support/user_input.h"
#include "gui/views/view_fixture.h"
#include "rename/change_case_command.h"

namespace tw::gui {

namespace {

namespace fs = std::filesystem;
using Answer = base::UserPort::Answer;
using test::child;
using test::clickButton;
using test::filesIn;
using test::Frames;
using test::Id3v1Spec;
using test::ModalAnswer;
using test::typeMask;

// One column of a list, row by row.
QStringList column(const QTreeWidget& list, int index) {
    QStringList texts;
    for (int row = 0; row < list.topLevelItemCount(); ++row)
        texts << list.topLevelItem(row)->text(index);
    return texts;
}

// Shows the window and walks the focus through its controls, typing nothing.
void tabThrough(QWidget& window) {
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    for (int i = 0; i < 8; ++i) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        QTest::keyClick(focus, Qt::Key_Tab);
    }
}

struct Windows {
    test::ViewFixture f;
    test::ScriptedShellPort shell;

    // a, b, c with the ID3v2 titles One, Two, One and tracks 1 to 3.
    void writeTitled() {
        f.write("a.mp3", std::nullopt, Frames{{"TIT2", "One"}, {"TRCK", "1"}, {"TPE1", "Band"}});
        f.write("b.mp3", std::nullopt, Frames{{"TIT2", "Two"}, {"TRCK", "2"}, {"TPE1", "Band"}});
        f.write("c.mp3", std::nullopt, Frames{{"TIT2", "One"}, {"TRCK", "3"}, {"TPE1", "Band"}});
        f.scan();
    }
};

}  // namespace

class RenamingWindowsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The preview follows the mask a moment after the last key, at once on Return (which
    // renames nothing) and on a pick from the list.
    void thePreviewFollowsTheMask() {
        Windows w;
        w.writeTitled();
        DlgFilenameRename dialog(w.f.context, w.shell);
        dialog.show();
        QTreeWidget& preview = dialog.preview();
        QCOMPARE(column(preview, 0), test::texts({"a.mp3", "b.mp3", "c.mp3"}));
        QCOMPARE(column(preview, 1), test::texts({"One.mp3", "Two.mp3", "One.mp3"}));
        QCOMPARE(column(preview, 3),
                 test::texts({"", "", "the file in row 1 takes this name first"}));

        typeMask(dialog.masks(), QStringLiteral("<number> - <title>"));
        QCOMPARE(column(preview, 1).first(), QStringLiteral("One.mp3"));  // not per key
        QTRY_COMPARE(column(preview, 1),
                     test::texts({"01 - One.mp3", "02 - Two.mp3", "03 - One.mp3"}));

        QTest::keyClicks(dialog.masks().field().lineEdit(), QStringLiteral(" x"));
        QTest::keyClick(dialog.masks().field().lineEdit(), Qt::Key_Return);
        QCOMPARE(column(preview, 1).first(), QStringLiteral("01 - One x.mp3"));
        QVERIFY(dialog.isVisible());

        QTest::keyClick(dialog.masks().field().lineEdit(), Qt::Key_Down);  // the next mask
        QCOMPARE(dialog.masks().field().currentText(), QStringLiteral("<number> - <title>"));
        QCOMPARE(column(preview, 1).first(), QStringLiteral("01 - One.mp3"));
        QCOMPARE(column(preview, 2).first(), QString::fromStdString(w.f.folder()));

        // Escape renames nothing.
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.changedRecords());
        QCOMPARE(filesIn(w.f.dir.path()), test::texts({"a.mp3", "b.mp3", "c.mp3"}));
    }

    // Leaving every field without typing changes nothing, and the window's own fills count
    // as no edit.
    void tabbingThroughChangesNothing() {
        Windows w;
        w.writeTitled();
        DlgFilenameRename rename(w.f.context, w.shell);
        tabThrough(rename);
        rename.close();
        DlgFilenameToTag fill(w.f.context, w.shell);
        tabThrough(fill);
        fill.close();
        DlgChangeCase recase(w.f.context, rename::ChangeCaseTarget::Title);
        recase.close();
        QCOMPARE(filesIn(w.f.dir.path()), test::texts({"a.mp3", "b.mp3", "c.mp3"}));
        for (int i = 0; i < w.f.list.size(); ++i)
            QVERIFY(!w.f.list.at(i).dirty());
        QVERIFY(!rename.changedRecords() && !fill.changedRecords() && !recase.changedRecords());
        QVERIFY(std::none_of(w.f.port.log.begin(), w.f.port.log.end(),
                             [](const std::string& line) { return line.rfind("ask:", 0) == 0; }));
    }

    // With the program's own question and error windows: No keeps the window and the files,
    // Yes renames the others and lists the one that failed, with the work folder.
    void renamingWithACollisionAsksAndListsTheFileThatFailed() {
        Windows w;
        w.writeTitled();
        GuiUserPort port;
        GuiContext context{w.f.list, w.f.context.options, w.f.settings, port, w.f.document};
        DlgFilenameRename dialog(context, w.shell);
        dialog.show();
        QString question;
        ModalAnswer no([&question](QWidget& box) {
            question = static_cast<QMessageBox&>(box).text();
            clickButton(box, QStringLiteral("No"));
        });
        clickButton(dialog, QStringLiteral("Rename"));
        QCOMPARE(question, QStringLiteral("1 of the files cannot be renamed, as the preview "
                                          "shows.\nRename the others?"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(filesIn(w.f.dir.path()), test::texts({"a.mp3", "b.mp3", "c.mp3"}));

        QStringList rows;
        QString folder;
        std::unique_ptr<ModalAnswer> readList;  // made when the question shows
        ModalAnswer yes([&](QWidget& box) {
            readList = std::make_unique<ModalAnswer>([&](QWidget& list) {
                auto& files = *list.findChild<QTreeWidget*>();
                for (int row = 0; row < files.topLevelItemCount(); ++row)
                    rows << files.topLevelItem(row)->text(0) + QLatin1Char(' ') +
                                files.topLevelItem(row)->text(1);
                folder = child<QLineEdit>(list, "folder").text();
                clickButton(list, QStringLiteral("OK"));
            });
            clickButton(box, QStringLiteral("Yes"));
        });
        clickButton(dialog, QStringLiteral("Rename"));
        QVERIFY(readList && readList->answered());
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.changedRecords());
        QCOMPARE(filesIn(w.f.dir.path()), test::texts({"One.mp3", "Two.mp3", "c.mp3"}));
        QCOMPARE(rows.size(), 1);
        QVERIFY(rows.front().startsWith(QStringLiteral("1 c.mp3")));
        QCOMPARE(folder, QString::fromStdString(w.f.folder()));
        QCOMPARE(w.f.list.at(0).fileName, std::string("One.mp3"));
    }

    // Files that take each other's names all move (a three-file cycle and a swap) with
    // every file kept; a file whose fields are all empty is named as such, and when no file
    // could move nothing is asked and nothing happens.
    void namesHeldWithinTheRunAreTakenInTurn() {
        Windows w;
        for (const auto& [name, title] : {std::pair{"a.mp3", "b"},
                                          {"b.mp3", "c"},
                                          {"c.mp3", "a"},
                                          {"d.mp3", "e"},
                                          {"e.mp3", "d"}})
            w.f.write(name, std::nullopt, Frames{{"TIT2", title}});
        w.f.write("z.mp3");
        w.f.scan();

        w.f.select({5});
        {
            DlgFilenameRename dialog(w.f.context, w.shell);
            dialog.show();
            typeMask(dialog.masks(), QStringLiteral("<number> - <title>"));
            QTest::keyClick(dialog.masks().field().lineEdit(), Qt::Key_Return);
            QCOMPARE(column(dialog.preview(), 1), QStringList({QString()}));
            QCOMPARE(column(dialog.preview(), 3),
                     test::texts({"the mask's fields are all empty for this file"}));
            clickButton(dialog, QStringLiteral("Rename"));
            QVERIFY(dialog.isVisible());
            QCOMPARE(w.f.port.messages.back(),
                     std::string("None of the 1 files can be renamed; the preview says why for "
                                 "each."));
            QVERIFY(std::none_of(w.f.port.log.begin(), w.f.port.log.end(),
                                 [](const std::string& line) { return line.starts_with("ask:"); }));
        }

        w.f.select({0, 1, 2, 3, 4});
        DlgFilenameRename dialog(w.f.context, w.shell);
        dialog.show();
        typeMask(dialog.masks(), QStringLiteral("<title>"));
        QTest::keyClick(dialog.masks().field().lineEdit(), Qt::Key_Return);
        QCOMPARE(column(dialog.preview(), 3), test::texts({"", "", "", "", ""}));
        clickButton(dialog, QStringLiteral("Rename"));  // nothing fails: no question
        QVERIFY(!dialog.isVisible());
        QCOMPARE(filesIn(w.f.dir.path()),
                 test::texts({"a.mp3", "b.mp3", "c.mp3", "d.mp3", "e.mp3", "z.mp3"}));
        for (const char* name : {"a", "b", "c", "d", "e"})
            QCOMPARE(w.f.reread(std::string(name) + ".mp3")->id3v2.title, std::string(name));
        QCOMPARE(w.f.list.at(0).fileName, std::string("b.mp3"));
    }

    // An up-level mask previews its file in the folder above, under its own name.
    void anUpLevelMaskPreviewsTheParentFolder() {
        Windows w;
        w.f.useSubFolder("work");
        w.writeTitled();
        w.f.select({1});
        DlgFilenameRename dialog(w.f.context, w.shell);
        dialog.show();
        typeMask(dialog.masks(), QStringLiteral("..\\<title>"));
        QTest::keyClick(dialog.masks().field().lineEdit(), Qt::Key_Return);
        QCOMPARE(column(dialog.preview(), 1), test::texts({"../Two.mp3"}));
        QCOMPARE(column(dialog.preview(), 2),
                 QStringList({QString::fromStdString(w.f.dir.folder())}));
        clickButton(dialog, QStringLiteral("Rename"));
        QCOMPARE(filesIn(w.f.dir.path()), test::texts({"Two.mp3", "work/a.mp3", "work/c.mp3"}));
    }

    // A folder of the mask is shown, fails while it is missing, and is made when asked.
    void subFoldersAreShownAndMadeWhenAsked() {
        Windows w;
        w.writeTitled();
        w.f.select({0, 1});
        DlgFilenameRename dialog(w.f.context, w.shell);
        dialog.show();
        typeMask(dialog.masks(), QStringLiteral("<artist>\\<title>"));
        QTest::keyClick(dialog.masks().field().lineEdit(), Qt::Key_Return);
        const QString folder = QString::fromStdString(w.f.folder()) + QStringLiteral("Band/");
        QCOMPARE(column(dialog.preview(), 2), QStringList({folder, folder}));
        QCOMPARE(column(dialog.preview(), 3).first(),
                 QStringLiteral("the folder %1 does not exist").arg(folder));

        test::clickOnBox(child<QAbstractButton>(dialog, "createFolders"));
        QCOMPARE(column(dialog.preview(), 3),
                 test::texts({"into a new folder", "into a new folder"}));
        clickButton(dialog, QStringLiteral("Rename"));  // nothing fails: no question
        QCOMPARE(filesIn(w.f.dir.path()), test::texts({"Band/One.mp3", "Band/Two.mp3", "c.mp3"}));
        QCOMPARE(w.f.settings.getInt("DlgFilenameRename", "CreateMissingFolders", 0), 1);
    }

    // The editor's OK rebuilds the list and refreshes the preview; a cancelled editor with an
    // unsaved mask changes nothing.
    void theEditorFeedsThePreview() {
        Windows w;
        w.writeTitled();
        DlgFilenameRename dialog(w.f.context, w.shell);
        dialog.show();
        ModalAnswer cancelled([](QWidget& editor) {
            auto& field = child<QLineEdit>(editor, "maskField");
            field.selectAll();
            QTest::keyClicks(&field, QStringLiteral("<counter> unsaved"));
            QTest::keyClick(&editor, Qt::Key_Escape);
        });
        dialog.masks().editorButton().click();
        QVERIFY(cancelled.answered());
        QCOMPARE(dialog.masks().field().count(), 8);
        QCOMPARE(column(dialog.preview(), 1).first(), QStringLiteral("One.mp3"));

        ModalAnswer saved([](QWidget& editor) {
            child<QAbstractButton>(editor, "addMask").click();
            QTest::keyClicks(&child<QLineEdit>(editor, "maskField"),
                             QStringLiteral("<counter> <title>"));
            child<QAbstractButton>(editor, "save").click();
            child<QSpinBox>(editor, "counterLength").setValue(3);
            clickButton(editor, QStringLiteral("OK"));
        });
        dialog.masks().editorButton().click();
        QVERIFY(saved.answered());
        QCOMPARE(dialog.masks().field().count(), 9);
        QCOMPARE(dialog.masks().field().currentText(), QStringLiteral("<counter> <title>"));
        QCOMPARE(column(dialog.preview(), 1),
                 test::texts({"001 One.mp3", "002 Two.mp3", "003 One.mp3"}));

        // A mask typed in the window reaches the editor as an edit it asks about.
        typeMask(dialog.masks(), QStringLiteral("<title> typed"));
        QString carried;
        ModalAnswer asked([&carried](QWidget& editor) {
            carried = child<QLineEdit>(editor, "maskField").text();
            clickButton(editor, QStringLiteral("OK"));
        });
        w.f.port.answers = {Answer::Yes};
        dialog.masks().editorButton().click();
        QCOMPARE(carried, QStringLiteral("<title> typed"));
        QCOMPARE(w.f.port.log.back(), std::string("ask:Save edited mask?"));
        QCOMPARE(dialog.masks().field().count(), 10);
        QCOMPARE(dialog.masks().field().currentIndex(), 9);
        QCOMPARE(column(dialog.preview(), 1).first(), QStringLiteral("One typed.mp3"));
    }

    // Only the selected files are filled.
    void fillingTagsFromNamesInBothWriteModes() {
        Windows w;
        w.f.write("01 - Intro.mp3", Id3v1Spec{.title = "Kept"});
        w.f.write("02 - Song.mp3");
        w.f.write("03 - Left.mp3");
        w.f.scan();
        w.f.select({0, 1});
        DlgFilenameToTag dialog(w.f.context, w.shell);
        dialog.show();
        typeMask(dialog.masks(), QStringLiteral("<number> - <title>"));
        QTRY_COMPARE(dialog.previewFiles().at(0).id3v2.title, std::string("Intro"));
        const core::FileList& preview = dialog.previewFiles();
        QCOMPARE(preview.at(0).id3v1.title, std::string("Kept"));  // only blank fields
        QCOMPARE(preview.at(1).id3v1.track, 2);
        QVERIFY(preview.at(1).dirty());
        QVERIFY(!w.f.list.at(0).dirty() && w.f.list.at(0).id3v2.title.empty());

        test::clickOnBox(child<QAbstractButton>(dialog, "replaceAll"));
        QCOMPARE(dialog.previewFiles().at(0).id3v1.title, std::string("Intro"));
        test::clickOnBox(child<QAbstractButton>(dialog, "writeV1"));
        QCOMPARE(dialog.previewFiles().at(0).id3v1.title, std::string("Kept"));

        clickButton(dialog, QStringLiteral("OK"));
        QVERIFY(dialog.changedRecords());
        QCOMPARE(w.f.list.at(0).id3v2.title, std::string("Intro"));
        QCOMPARE(w.f.list.at(0).id3v1.title, std::string("Kept"));
        QCOMPARE(w.f.list.at(1).id3v2.track, 2);
        QVERIFY(!w.f.list.at(2).dirty() && w.f.list.at(2).id3v2.title.empty());
        QCOMPARE(w.f.settings.getInt("DlgFilenameToTag", "OverwriteMode", 0), 1);
        QCOMPARE(w.f.settings.getInt("DlgFilenameToTag", "WriteV1", 1), 0);

        // The next time the window opens with those options; Cancel fills nothing.
        DlgFilenameToTag again(w.f.context, w.shell);
        QVERIFY(child<QAbstractButton>(again, "replaceAll").isChecked());
        QVERIFY(!child<QAbstractButton>(again, "writeV1").isChecked());
        w.f.list.at(1).id3v2.title = "Changed";
        again.reject();
        QCOMPARE(w.f.list.at(1).id3v2.title, std::string("Changed"));
    }

    void changingTheCaseOfFileNamesRenamesThem() {
        Windows w;
        w.f.write("song one.mp3");
        w.f.write("SONG TWO.mp3");
        w.f.scan();
        DlgChangeCase dialog(w.f.context, rename::ChangeCaseTarget::FileName);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Change case in the \"Filename\" field"));
        QCOMPARE(dialog.beforeList().headerItem()->text(0),
                 QStringLiteral("Field \"Filename\" Before"));
        QCOMPARE(column(dialog.afterList(), 0), test::texts({"Song One.Mp3", "Song Two.Mp3"}));
        test::clickOnBox(child<QAbstractButton>(dialog, "mode2"));
        QCOMPARE(column(dialog.afterList(), 0), test::texts({"song one.mp3", "song two.mp3"}));
        clickButton(dialog, QStringLiteral("OK"));
        QVERIFY(dialog.changedRecords());
        QCOMPARE(filesIn(w.f.dir.path()), test::texts({"song one.mp3", "song two.mp3"}));
        QCOMPARE(w.f.settings.getInt("Settings", "cc", 1), 2);
    }

    // What the engine reports reaches the window in the interface language too.
    void theWindowsSpeakTheInterfaceLanguage() {
        const tw::test::ShippedLanguages shipped(TW_SOURCE_DIR);
        QVERIFY(base::SetLanguage("Deutsch"));
        Windows w;
        w.writeTitled();
        DlgFilenameRename dialog(w.f.context, w.shell);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Erweitertes Umbenennen von Dateien"));
        QCOMPARE(column(dialog.preview(), 3).last(),
                 QStringLiteral("die Datei in Zeile 1 erhält diesen Namen zuerst"));
    }

    void windowsKeepTheirPlace() {
        Windows w;
        w.writeTitled();
        {
            DlgChangeCase dialog(w.f.context, rename::ChangeCaseTarget::Title);
            dialog.show();
            dialog.resize(640, 300);
            dialog.close();  // the window's close button
        }
        QCOMPARE(w.f.settings.getInt("DlgChangeCase", "cx", 0), 640);
        DlgChangeCase again(w.f.context, rename::ChangeCaseTarget::Title);
        QCOMPARE(again.width(), 640);
        QCOMPARE(column(again.beforeList(), 0), test::texts({"One", "Two", "One"}));
    }
};

}  // namespace tw::gui

QTEST_MAIN(tw::gui::RenamingWindowsTest)
#include "renaming_windows_test.moc"
