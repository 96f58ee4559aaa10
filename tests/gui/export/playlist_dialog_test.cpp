// SPDX-License-Identifier: GPL-2.0-or-later
// "Playlist Creation" as a user drives it, checked on the files on disk and the settings.
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QToolButton>
#include <QtTest>
#include <filesystem>

#include "gui/common/gui_user_port.h"
#include "gui/export/playlist_dialog.h"
#include "gui/rename/mask_selector.h"
#include "gui/support/modal_answer.h"
#include "gui/support/named_child.h"
#include "gui/support/scripted_shell_port.h"
#include "gui/support/user_input.h"
#include "gui/views/view_fixture.h"
#include "support/bytes.h"
#include "support/file_text.h"

namespace tw::gui {

namespace {

namespace fs = std::filesystem;
using test::child;
using test::clickButton;
using test::filesIn;
using test::Frames;
using test::ModalAnswer;
using test::typeMask;

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

// Whether `text` is the extended playlist of a.mp3 and b.mp3.
bool listsBothFiles(const std::string& text) {
    return text.rfind("#EXTM3U\r\n", 0) == 0 && text.find("\r\na.mp3\r\n") != std::string::npos &&
           text.find("\r\nb.mp3\r\n") != std::string::npos;
}

// Whether the command stored anything of its own: the type or the mask list.
bool storedChoices(const base::SettingsStore& store) {
    return store.hasValue("Playlist", "Type") || store.hasValue("Templates\\PL", "Template0");
}

// a.mp3 and b.mp3 of the album "Live" by "Band", selected.
struct Selection {
    test::ViewFixture f;
    test::ScriptedShellPort shell;

    explicit Selection(const char* secondArtist = "Band") {
        f.write("a.mp3", std::nullopt,
                Frames{{"TPE1", "Band"}, {"TALB", "Live"}, {"TYER", "1999"}, {"TIT2", "One"}});
        f.write("b.mp3", std::nullopt,
                Frames{{"TPE1", secondArtist}, {"TALB", "Live"}, {"TIT2", "Two"}});
        f.scan();
    }
    std::string folder() const { return f.folder(); }
};

}  // namespace

class PlaylistDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Walking through the fields changes nothing; the type moves the extension, the mask
    // moves the name (a moment after the last key, or at once on Return); the folder only
    // shows where the list is.
    void theTargetFollowsTypeAndMask() {
        Selection s;
        const std::size_t reported = s.f.port.log.size();
        PlaylistDialog dialog(s.f.context, s.shell);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        for (int i = 0; i < 8; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(dialog.typeChoice().currentText(), QStringLiteral("M3U Extended"));
        QCOMPARE(child<QLabel>(dialog, "extension").text(), QStringLiteral(".m3u"));
        auto& folder = child<QLineEdit>(dialog, "folder");
        QVERIFY(folder.isReadOnly());
        QCOMPARE(folder.text(), q(s.folder()));
        QCOMPARE(dialog.target(), q(s.folder() + "Live.m3u"));

        dialog.typeChoice().setFocus();
        QTest::keyClick(&dialog.typeChoice(), Qt::Key_Down);
        QCOMPARE(dialog.typeChoice().currentText(), QStringLiteral("PLS"));
        QCOMPARE(child<QLabel>(dialog, "extension").text(), QStringLiteral(".pls"));
        QCOMPARE(dialog.target(), q(s.folder() + "Live.pls"));

        typeMask(dialog.masks(), QStringLiteral("<artist> - <year>"));
        QCOMPARE(dialog.target(), q(s.folder() + "Live.pls"));  // not per key
        QTRY_COMPARE(dialog.target(), q(s.folder() + "Band - 1999.pls"));
        typeMask(dialog.masks(), QStringLiteral("..\\<album>"));
        QTest::keyClick(dialog.masks().field().lineEdit(), Qt::Key_Return);
        QVERIFY(dialog.isVisible());  // Return in the mask writes nothing
        const fs::path parent = fs::path(s.folder()).parent_path().parent_path();
        QCOMPARE(dialog.target(), q((parent / "Live.pls").string()));

        // Escape writes nothing and stores nothing.
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(filesIn(s.f.dir.path()), test::texts({"a.mp3", "b.mp3"}));
        QVERIFY(!fs::exists(parent / "Live.pls"));
        QVERIFY(!storedChoices(s.f.settings));
        QCOMPARE(s.f.port.log.size(), reported);
    }

    // The mask editor offers the playlist's tokens with the first file's values as examples,
    // ending with the extension of the type chosen; "<artist>" only for a single artist.
    void theEditorShowsTheFirstFilesValues_data() {
        QTest::addColumn<QString>("secondArtist");
        QTest::addColumn<bool>("artistOffered");
        QTest::newRow("one artist") << QStringLiteral("Band") << true;
        QTest::newRow("several artists") << QStringLiteral("band") << false;
    }
    void theEditorShowsTheFirstFilesValues() {
        QFETCH(QString, secondArtist);
        QFETCH(bool, artistOffered);
        Selection s(secondArtist.toUtf8().constData());
        PlaylistDialog dialog(s.f.context, s.shell);
        dialog.show();
        dialog.typeChoice().setFocus();
        QTest::keyClick(&dialog.typeChoice(), Qt::Key_Down);  // PLS
        QString title;
        QString example;
        bool artistButton = true;
        bool playTimeButton = false;
        ModalAnswer look([&](QWidget& editor) {
            title = editor.windowTitle();
            auto& field = child<QLineEdit>(editor, "maskField");
            field.selectAll();
            QTest::keyClicks(&field, QStringLiteral("<album> (<year>) <number_of_tracks>"));
            example = child<QLabel>(editor, "example").text();
            artistButton = editor.findChild<QWidget*>(QStringLiteral("button1002")) != nullptr;
            playTimeButton = editor.findChild<QWidget*>(QStringLiteral("button1016")) != nullptr;
            QTest::keyClick(&editor, Qt::Key_Escape);
        });
        QTest::mouseClick(&dialog.masks().editorButton(), Qt::LeftButton);
        QVERIFY(look.answered());
        QCOMPARE(title, QStringLiteral("Mask Editor - Playlist Filename Format"));
        QCOMPARE(example, QStringLiteral("Live (1999) 2.pls"));
        QCOMPARE(artistButton, artistOffered);
        QVERIFY(playTimeButton);
        QCOMPARE(dialog.masks().field().currentText(), QStringLiteral("<album>"));
    }

    // A playlist that would replace a file asks first, in the program's own window; each of
    // its answers, taken with the mouse or Escape.
    void anExistingPlaylistAsksBeforeItIsReplaced_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("oldFile");  // its content afterwards
        QTest::newRow("overwrite") << QStringLiteral("Overwrite") << true << QString();
        QTest::newRow("overwrite all") << QStringLiteral("Overwrite All") << true << QString();
        QTest::newRow("rename") << QStringLiteral("Rename...") << true << QStringLiteral("old");
        QTest::newRow("skip") << QStringLiteral("Skip") << false << QStringLiteral("old");
        QTest::newRow("skip all") << QStringLiteral("Skip All") << false << QStringLiteral("old");
        QTest::newRow("cancel") << QStringLiteral("Cancel") << false << QStringLiteral("old");
        QTest::newRow("escape") << QString() << false << QStringLiteral("old");
    }
    void anExistingPlaylistAsksBeforeItIsReplaced() {
        QFETCH(QString, answer);
        QFETCH(bool, written);
        QFETCH(QString, oldFile);
        Selection s;
        const fs::path existing = s.f.dir / "Live.m3u";
        test::writeBytes(existing.string(), {'o', 'l', 'd'});
        GuiUserPort port;
        QString status;
        port.setStatusSink([&status](const QString& text) { status = text; });
        GuiContext context{s.f.list, s.f.context.options, s.f.settings, port, s.f.document};
        PlaylistDialog dialog(context, s.shell);
        dialog.show();

        QString question;
        QStringList filters;
        std::unique_ptr<ModalAnswer> saveAs;  // made when the question shows
        ModalAnswer ask([&](QWidget& box) {
            question = static_cast<QMessageBox&>(box).text();
            if (answer.isEmpty()) {
                QTest::keyClick(&box, Qt::Key_Escape);
                return;
            }
            if (answer == QStringLiteral("Rename..."))
                saveAs = std::make_unique<ModalAnswer>([&](QWidget& files) {
                    filters = static_cast<QFileDialog&>(files).nameFilters();
                    auto& name = child<QLineEdit>(files, "fileNameEdit");
                    name.selectAll();
                    QTest::keyClicks(&name, QStringLiteral("Other"));
                    QTest::keyClick(&name, Qt::Key_Return);
                });
            clickButton(box, answer);
        });
        clickButton(dialog, QStringLiteral("OK"));
        QVERIFY(ask.answered());
        QCOMPARE(question, QStringLiteral("\nThe following file is already exist:\n\n%1\n\n"
                                          "Would you like overwrite?")
                               .arg(q(existing.string())));
        QCOMPARE(dialog.isVisible(), !written);
        QCOMPARE(status, written ? QStringLiteral("Completed successfully") : QString());

        const fs::path other = s.f.dir / "Other.m3u";
        if (saveAs) {
            QVERIFY(saveAs->answered());
            QCOMPARE(filters, QStringList{QStringLiteral("M3U playlist (*.m3u)")});
            QVERIFY(listsBothFiles(test::fileText(other)));
        } else {
            QVERIFY(!fs::exists(other));
        }
        const std::string now = test::fileText(existing);
        if (oldFile.isEmpty())
            QVERIFY(listsBothFiles(now));
        else
            QCOMPARE(q(now), oldFile);
        // The choices are kept once OK was pressed, whatever happened to the file.
        QVERIFY(storedChoices(s.f.settings));
    }

    // A playlist that cannot be written is reported and keeps the window for another try.
    void aFailedWriteKeepsTheWindow() {
        Selection s;
        fs::create_directory(s.f.dir / "Live.m3u");  // the name is taken by a folder
        PlaylistDialog dialog(s.f.context, s.shell);
        dialog.show();
        clickButton(dialog, QStringLiteral("OK"));
        QCOMPARE(s.f.port.messages,
                 std::vector<std::string>{"Unable to create [" + s.folder() +
                                          "Live.m3u] playlist file.\n\nIs a directory"});
        QVERIFY(dialog.isVisible());

        typeMask(dialog.masks(), QStringLiteral("<artist>"));
        QTest::keyClick(dialog.masks().field().lineEdit(), Qt::Key_Return);
        clickButton(dialog, QStringLiteral("OK"));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(filesIn(s.f.dir.path()), test::texts({"Band.m3u", "a.mp3", "b.mp3"}));
        QCOMPARE(s.f.port.log.back(), std::string("status:Completed successfully"));
        QVERIFY(listsBothFiles(test::fileText(s.f.dir / "Band.m3u")));
    }
};

}  // namespace tw::gui

QTEST_MAIN(tw::gui::PlaylistDialogTest)
#include "playlist_dialog_test.moc"
