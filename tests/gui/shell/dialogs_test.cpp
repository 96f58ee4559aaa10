// SPDX-License-Identifier: GPL-2.0-or-later
// The real dialogs behind the program's questions and reports, answered as a user would.
#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QtTest>

#include "gui/common/file_filter.h"
#include "gui/common/gui_user_port.h"
#include "gui/common/progress_dialog.h"
#include "gui/support/modal_answer.h"

using tw::gui::GuiUserPort;
using tw::test::clickButton;
using tw::test::ModalAnswer;
using Answer = tw::base::UserPort::Answer;

class DialogsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void questionsAnswerWithTheButtonClicked() {
        GuiUserPort port;
        QString shown;
        ModalAnswer yes([&shown](QWidget& box) {
            shown = static_cast<QMessageBox&>(box).text();
            clickButton(box, QStringLiteral("Yes"));
        });
        QCOMPARE(port.askYesNo("Delete?\nReally?"), Answer::Yes);
        QCOMPARE(shown, QStringLiteral("Delete?\nReally?"));

        ModalAnswer escape([](QWidget& box) { QTest::keyClick(&box, Qt::Key_Escape); });
        QCOMPARE(port.askYesNo("Delete?"), Answer::No);

        ModalAnswer cancel([](QWidget& box) { clickButton(box, QStringLiteral("Cancel")); });
        QCOMPARE(port.askYesNoCancel("Save?"), Answer::Cancel);
        ModalAnswer no([](QWidget& box) { clickButton(box, QStringLiteral("No")); });
        QCOMPARE(port.askYesNoCancel("Save?"), Answer::No);
    }

    void progressCountsStepsAndKeepsTheLastName() {
        GuiUserPort port;
        port.startProgress("Adding audio file(s) into File List:", 3);
        tw::gui::ProgressDialog* dialog = port.progressDialog();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->title(), QStringLiteral("Adding audio file(s) into File List:"));
        port.advanceProgress("one.mp3");
        port.advanceProgress("");
        QCOMPARE(dialog->label(), QStringLiteral("one.mp3"));
        port.advanceProgress("three.mp3");
        port.advanceProgress("beyond the total");
        QCOMPARE(dialog->position(), 3);
        port.finishProgress();
        QVERIFY(!dialog->isVisible());
        // The next operation starts afresh.
        port.startProgress("Saving changes in file(s):", 0);
        QCOMPARE(dialog->position(), 0);
        port.finishProgress();
    }

    void fileFiltersTakeQtsForm() {
        const char* const cases[][2] = {
            {"MPEG Audio Files (*.mp3)|*.mp3|", "MPEG Audio Files (*.mp3)"},
            {"Plain text|*.txt|All Files|*.*||", "Plain text (*.txt);;All Files (*.*)"},
            {"Lists|*.m3u;*.pls|", "Lists (*.m3u *.pls)"},
            {"", ""},
            {"|||*.odd", "*.odd"}};
        for (const auto& [piped, qt] : cases)
            QCOMPARE(tw::gui::qtFileFilter(QString::fromLatin1(piped)), QString::fromLatin1(qt));
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
