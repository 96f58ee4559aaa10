// SPDX-License-Identifier: GPL-2.0-or-later
// The mask editor as a user drives it: typing and the insert buttons, saving, refused masks,
// the question before OK, the list buttons, the options, the symbol pairs, cancelling.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTreeWidget>
#include <QtTest>
#include <algorithm>

#include "gui/rename/mask_editor.h"
#include "gui/rename/mask_editor_setup.h"
#include "gui/support/modal_answer.h"
#include "gui/support/named_child.h"
#include "gui/support/scripted_shell_port.h"
#include "gui/views/view_fixture.h"
#include "rename/mask_list.h"
#include "rename/symbol_table.h"

namespace tw::gui {

namespace {

using Answer = base::UserPort::Answer;
using test::child;
using test::clickButton;
using test::ModalAnswer;

void click(QWidget& window, const char* name) {
    child<QAbstractButton>(window, name).click();
}

QStringList entries(QListWidget& list) {
    QStringList texts;
    for (int row = 0; row < list.count(); ++row)
        texts << list.item(row)->text();
    return texts;
}

// Puts `text` in through the clipboard, as a user pasting it (typing keys knows ASCII only).
void paste(QWidget& field, const QString& text) {
    QApplication::clipboard()->setText(text);
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
}

QAbstractButton& buttonLabelled(QWidget& window, const QString& label) {
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
        if (QString(button->text()).remove(QLatin1Char('&')) == label)
            return *button;
    qFatal("no button %s", qPrintable(label));
}

// The questions the port was asked.
int questions(const test::FakeUserPort& port) {
    return static_cast<int>(std::count_if(port.log.begin(), port.log.end(), [](const auto& line) {
        return line.rfind("ask:", 0) == 0;
    }));
}

QStringList masksOf(const rename::MaskList& list) {
    QStringList texts;
    for (const std::string& mask : list.masks())
        texts << QString::fromStdString(mask);
    return texts;
}

// A renaming list of three masks and an editor on it.
struct Editor {
    test::ViewFixture f;
    test::ScriptedShellPort shell;
    rename::MaskList list{rename::kRenamingMaskSection};
    MaskEditorSetup setup = renamingEditorSetup(rename::TokenPermissions::forRenaming(false));
    std::unique_ptr<MaskEditor> editor;

    Editor() {
        list.addDefaults({"<title>", "<number> - <title>", "<artist>"});
        rename::setEditedSymbolTable(f.settings, rename::kTagToFilenameTable);
        open();
    }
    void open() {
        editor = std::make_unique<MaskEditor>(f.context, shell, list, setup);
        editor->show();
    }

    QListWidget& masks() { return child<QListWidget>(*editor, "masks"); }
    QLineEdit& field() { return child<QLineEdit>(*editor, "maskField"); }
    QString example() { return child<QLabel>(*editor, "example").text(); }
    void ok() { clickButton(*editor, QStringLiteral("OK")); }
};

}  // namespace

class MaskEditorTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typingAndTheInsertButtonsMakeAMask() {
        Editor e;
        QCOMPARE(entries(e.masks()),
                 test::texts({"<title>", "<number> - <title>", "<artist>", "<<< New Mask >>>"}));
        QCOMPARE(e.field().text(), QStringLiteral("<title>"));

        // "Add mask": the placeholder, ready to be typed over; a token replaces it too.
        click(*e.editor, "addMask");
        QCOMPARE(e.field().selectedText(), QStringLiteral("<<< New Mask >>>"));
        click(*e.editor, "button1004");
        QCOMPARE(e.field().text(), QStringLiteral("<title>"));
        QTest::keyClicks(&e.field(), QStringLiteral(" - "));
        click(*e.editor, "button1001");
        QCOMPARE(e.field().text(), QStringLiteral("<title> - <number>"));
        // A token replaces the selection and leaves the caret after itself.
        e.field().setSelection(0, 7);
        click(*e.editor, "button1002");
        QCOMPARE(e.field().text(), QStringLiteral("<artist> - <number>"));
        QCOMPARE(e.field().cursorPosition(), 8);
        click(*e.editor, "button1030");
        click(*e.editor, "button1031");
        click(*e.editor, "button1031");
        QCOMPARE(e.field().text(), QStringLiteral("..\\..\\<artist>\\ - <number>"));
        QCOMPARE(e.field().cursorPosition(), 3);
        QVERIFY(e.example().endsWith(QStringLiteral(".mp3")));

        click(*e.editor, "save");
        QCOMPARE(e.masks().currentItem()->text(), e.field().text());
        QCOMPARE(e.masks().count(), 5);
        e.ok();
        QCOMPARE(e.editor->result(), int(QDialog::Accepted));
        QCOMPARE(masksOf(e.list).last(), QStringLiteral("..\\..\\<artist>\\ - <number>"));
        QCOMPARE(e.list.selectedIndex(), 3);
        QCOMPARE(questions(e.f.port), 0);
    }

    // A refused mask is reported and its fault selected; OK asks about an unsaved edit.
    void refusedMasksAndTheQuestionBeforeOk() {
        Editor e;
        e.field().selectAll();
        paste(e.field(), QStringLiteral("Ünïcödé|<title>"));
        click(*e.editor, "save");
        QCOMPARE(e.f.port.messages.back(),
                 std::string("It is not allowed to use character '|' in the mask"));
        QCOMPARE(e.field().selectedText(), QStringLiteral("|"));
        QCOMPARE(e.field().selectionStart(), 7);
        QCOMPARE(e.masks().item(0)->text(), QStringLiteral("<title>"));

        // Yes saves, and a refusal keeps the editor open; Cancel stays; No drops the edit.
        e.f.port.answers = {Answer::Yes, Answer::Cancel, Answer::No};
        e.ok();
        QCOMPARE(e.f.port.log.back(), std::string("message:It is not allowed to use character "
                                                  "'|' in the mask"));
        QVERIFY(e.editor->result() != QDialog::Accepted);
        e.ok();
        QVERIFY(e.editor->result() != QDialog::Accepted);
        e.ok();
        QCOMPARE(e.editor->result(), int(QDialog::Accepted));
        QCOMPARE(masksOf(e.list), test::texts({"<title>", "<number> - <title>", "<artist>"}));

        // A valid edit is saved by Yes.
        e.open();
        e.field().selectAll();
        QTest::keyClicks(&e.field(), QStringLiteral("<artist> - <title>"));
        e.f.port.answers = {Answer::Yes};
        e.ok();
        QCOMPARE(masksOf(e.list).front(), QStringLiteral("<artist> - <title>"));
        QVERIFY(e.f.port.answers.empty());

        // A token the list does not allow in a folder.
        e.open();
        e.field().selectAll();
        QTest::keyClicks(&e.field(), QStringLiteral("<title>\\<artist>"));
        click(*e.editor, "save");
        QCOMPARE(e.f.port.messages.back(),
                 std::string("It is not allowed to use token '<title>' in the name of directory"));
        QCOMPARE(e.field().selectedText(), QStringLiteral("<title>"));
    }

    void theListButtonsFollowTheSelection() {
        Editor e;
        auto enabled = [&e] {
            QString states;
            for (const char* name : {"moveUp", "moveDown", "deleteMask", "cloneMask"})
                states += child<QPushButton>(*e.editor, name).isEnabled() ? QLatin1Char('1')
                                                                          : QLatin1Char('0');
            return states;
        };
        QCOMPARE(enabled(), QStringLiteral("0111"));  // the first mask
        e.masks().setCurrentRow(2);
        QCOMPARE(enabled(), QStringLiteral("1011"));  // the last mask
        e.masks().setCurrentRow(3);
        QCOMPARE(enabled(), QStringLiteral("0000"));  // "<<< New Mask >>>"
        QVERIFY(!child<QPushButton>(*e.editor, "save").isEnabled());

        // Moving keeps the field as it is, edited or not.
        e.masks().setCurrentRow(1);
        QTest::keyClicks(&e.field(), QStringLiteral("!"));
        click(*e.editor, "moveUp");
        QCOMPARE(entries(e.masks()).mid(0, 2), test::texts({"<number> - <title>", "<title>"}));
        QCOMPARE(e.field().text(), QStringLiteral("<number> - <title>!"));
        QCOMPARE(e.masks().currentRow(), 0);
        // "Clone mask" adds the edited text as a new mask; the original stays.
        click(*e.editor, "cloneMask");
        QCOMPARE(entries(e.masks()), test::texts({"<number> - <title>", "<title>", "<artist>",
                                                  "<number> - <title>!", "<<< New Mask >>>"}));
        QCOMPARE(e.masks().currentRow(), 3);

        // Deleting moves the selection to the mask taking the place, or the one before.
        e.masks().setCurrentRow(1);
        click(*e.editor, "deleteMask");
        QCOMPARE(e.masks().currentItem()->text(), QStringLiteral("<artist>"));
        e.masks().setCurrentRow(2);
        click(*e.editor, "deleteMask");
        QCOMPARE(e.masks().currentItem()->text(), QStringLiteral("<artist>"));
        e.ok();
        QCOMPARE(masksOf(e.list), test::texts({"<number> - <title>", "<artist>"}));
        QCOMPARE(e.list.currentMask(), std::string("<artist>"));
    }

    void theOptionsReachTheListOnlyOnOk() {
        Editor e;
        auto& start = child<QSpinBox>(*e.editor, "counterStart");
        auto& length = child<QSpinBox>(*e.editor, "counterLength");
        start.selectAll();
        QTest::keyClicks(&start, QStringLiteral("1234567"));
        length.selectAll();
        QTest::keyClicks(&length, QStringLiteral("93"));
        QCOMPARE(start.value(), 12345);
        QCOMPARE(length.value(), 3);
        e.field().setCursorPosition(0);
        QTest::keyClicks(&e.field(), QStringLiteral("Live "));
        QCOMPARE(e.example(), QStringLiteral("Live.mp3"));  // the legend's tokens left out
        click(*e.editor, "caseMode4");
        QCOMPARE(e.example(), QStringLiteral("LIVE.mp3"));
        click(*e.editor, "toggleLegend");
        QVERIFY(!child<QWidget>(*e.editor, "legend").isVisibleTo(e.editor.get()));
        rename::SymbolTable{{{"x", "y"}}}.save(e.f.settings, rename::kTagToFilenameTable);

        // Escape changes nothing and asks nothing.
        QTest::keyClick(e.editor.get(), Qt::Key_Escape);
        QCOMPARE(e.editor->result(), int(QDialog::Rejected));
        QCOMPARE(e.list.counterStart(), 0);
        QCOMPARE(e.list.caseMode(), rename::CaseMode::AsIs);
        QVERIFY(!e.f.settings.hasValue({}, "TemplateEditorMode"));
        QCOMPARE(questions(e.f.port), 0);

        e.open();
        child<QSpinBox>(*e.editor, "counterLength").setValue(4);
        click(*e.editor, "caseMode3");
        click(*e.editor, "toggleLegend");
        e.ok();
        QCOMPARE(e.list.counterLength(), 4);
        QCOMPARE(e.list.caseMode(), rename::CaseMode::LowerAll);
        QCOMPARE(e.f.settings.getInt({}, "TemplateEditorMode", 1), 0);
        // The symbol page wrote back what it showed.
        QCOMPARE(rename::SymbolTable::load(e.f.settings, rename::kTagToFilenameTable),
                 (rename::SymbolTable{{{"x", "y"}}}));
        e.open();
        QVERIFY(!child<QWidget>(*e.editor, "legend").isVisibleTo(e.editor.get()));
    }

    // The folder buttons put their folder in front of the mask in the mask's own spelling,
    // one in place of the other, and the mask check takes what they make.
    void theFolderButtonsMakeMasksTheCheckTakes() {
        Editor e;
        e.shell.folders = {"/music/my_albums"};
        e.field().setCursorPosition(3);
        click(*e.editor, "button1032");
        QCOMPARE(e.shell.log.back(), "pick-path:" + e.f.context.options.workFolder);
        QCOMPARE(e.field().text(), QStringLiteral("\\music\\my_albums\\<title>"));
        click(*e.editor, "button1032");  // cancelled: nothing changes
        QCOMPARE(e.field().text(), QStringLiteral("\\music\\my_albums\\<title>"));
        click(*e.editor, "save");
        QVERIFY(e.f.port.messages.empty());
        click(*e.editor, "button1031");
        QCOMPARE(e.field().text(), QStringLiteral("..\\<title>"));
        click(*e.editor, "save");
        QVERIFY(e.f.port.messages.empty());
    }

    // "Add New", a double click and "Delete" on the symbol page; the pair dialog takes at
    // most 50 characters and needs "Before:".
    void symbolPairsAreMadeAndEditedInTheirDialog() {
        Editor e;
        QTabBar& tabs = *e.editor->findChild<QTabBar*>();
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(1).center());
        auto& pairs = child<QTreeWidget>(*e.editor, "pairs");
        QVERIFY(pairs.isVisible());
        QCOMPARE(pairs.topLevelItemCount(), 13);
        QCOMPARE(pairs.topLevelItem(2)->text(0), QStringLiteral("[space][space]"));

        bool okWhileEmpty = true;
        QString caption;
        ModalAnswer create([&](QWidget& dialog) {
            caption = dialog.windowTitle();
            auto& before = child<QLineEdit>(dialog, "before");
            okWhileEmpty = buttonLabelled(dialog, QStringLiteral("OK")).isEnabled();
            QTest::keyClicks(&before, QStringLiteral("[space]&") + QString(60, QLatin1Char('x')));
            QTest::keyClicks(&child<QLineEdit>(dialog, "after"), QStringLiteral("and"));
            clickButton(dialog, QStringLiteral("OK"));
        });
        click(*e.editor, "addPair");
        QVERIFY(create.answered());
        QCOMPARE(caption, QStringLiteral("Create"));
        QVERIFY(!okWhileEmpty);
        QCOMPARE(pairs.topLevelItemCount(), 14);
        QCOMPARE(pairs.topLevelItem(13)->text(0).size(), 50);

        ModalAnswer edit([&](QWidget& dialog) {
            caption = dialog.windowTitle();
            auto& before = child<QLineEdit>(dialog, "before");
            before.selectAll();
            QTest::keyClicks(&before, QStringLiteral("[space]&[space]"));
            clickButton(dialog, QStringLiteral("OK"));
        });
        pairs.scrollToItem(pairs.topLevelItem(13));
        const QRect row = pairs.visualItemRect(pairs.topLevelItem(13));
        QTest::mouseClick(pairs.viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(pairs.viewport(), Qt::LeftButton, {}, row.center());
        QVERIFY(edit.answered());
        QCOMPARE(caption, QStringLiteral("Edit"));

        ModalAnswer cancel([](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
        click(*e.editor, "addPair");
        QVERIFY(cancel.answered());
        pairs.setCurrentItem(pairs.topLevelItem(0));
        click(*e.editor, "deletePair");
        QCOMPARE(pairs.topLevelItemCount(), 13);

        QVERIFY(!e.f.settings.hasValue(rename::kTagToFilenameTable, "ItemsCount"));
        e.ok();
        const rename::SymbolTable saved =
            rename::SymbolTable::load(e.f.settings, rename::kTagToFilenameTable);
        QCOMPARE(saved.pairs.size(), std::size_t(13));
        QCOMPARE(saved.pairs.front().search, std::string("_"));
        QCOMPARE(saved.pairs.back(), (rename::SymbolPair{" & ", "and"}));
    }

    void defaultRestoresTheShownPage() {
        Editor e;
        click(*e.editor, "deleteMask");
        click(*e.editor, "defaults");
        QCOMPARE(entries(e.masks()).size(), 9);
        QCOMPARE(e.masks().currentItem()->text(), QStringLiteral("<title>"));
        e.ok();
        QCOMPARE(e.list.masks().size(), std::size_t(8));
        QCOMPARE(e.f.settings.getInt("DlgMaskEditor", "cx", 0), e.editor->width());
    }
};

}  // namespace tw::gui

QTEST_MAIN(tw::gui::MaskEditorTest)
#include "mask_editor_test.moc"
