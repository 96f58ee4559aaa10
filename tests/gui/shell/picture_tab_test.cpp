// SPDX-License-Identifier: GPL-2.0-or-later
// The Picture tab in the running program, driven by the mouse and the keyboard: pictures
// are decoded only when the tab shows them, several files show their shared picture or a
// note, the shown picture's type and description are edited in place, and pictures added
// by button, drop or paste reach the files when they are saved.
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>

#include "base/string_ids.h"
#include "core/audio_file.h"
#include "core/file_list.h"
#include "gui/app/application.h"
#include "gui/mainwindow/main_window.h"
#include "gui/qt_text.h"
#include "gui/support/app_harness.h"
#include "gui/support/named_child.h"
#include "gui/support/user_input.h"
#include "gui/views/file_list_view.h"
#include "gui/views/picture_loader.h"
#include "gui/views/picture_page.h"
#include "gui/views/tag_tabs_view.h"
#include "support/bytes.h"
#include "support/id3v2_builder.h"
#include "support/mp3_file.h"
#include "support/mutagen.h"

namespace ids = tw::base::ids;
using tw::gui::PictureLoader;
using tw::gui::PicturePage;
using tw::test::AppHarness;

namespace {

tw::test::Bytes png(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return tw::test::Bytes(bytes.begin(), bytes.end());
}

struct Harness {
    AppHarness h;

    void addFile(const std::string& name, const tw::test::Bytes& picture,
                 const tw::test::Bytes& backCover = {}) {
        tw::test::Mp3Parts parts;
        parts.audio = tw::test::defaultAudio();
        tw::test::Id3v2Builder tag(3);
        tag.text("TIT2", name);
        if (!picture.empty())
            tag.picture("image/png", 3, "cover", picture);
        if (!backCover.empty())
            tag.picture("image/png", 4, "the back of the sleeve", backCover);
        parts.id3v2 = tag.build();
        tw::test::writeMp3(h.music, name, parts);
    }
    bool start() { return h.start() && QTest::qWaitForWindowActive(&h.window()); }
    tw::gui::MainWindow& window() { return h.window(); }
    PicturePage& page() { return *window().tagTabs().findChild<PicturePage*>(); }
    template <typename T>
    T& child(const char* name) {
        return tw::test::child<T>(page(), name);
    }
    QString info() { return child<QLabel>("pictureInfo").text(); }
    bool showsImage() {
        const QPixmap shown = child<QLabel>("pictureView").pixmap();
        return !shown.isNull();
    }
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
        tw::test::clickRow(window().fileList(), row, modifiers);
    }
    void showPictureTab() { QTest::keyClick(&window(), Qt::Key_5, Qt::AltModifier); }
    // Picks the entry `steps` below the current one from the type's list, opened with Down.
    void pickType(int steps) {
        QComboBox& type = child<QComboBox>("pictureType");
        type.setFocus();
        QTest::keyClick(&type, Qt::Key_Down);
        QVERIFY(type.view()->isVisible());
        for (int i = 0; i < steps; ++i)
            QTest::keyClick(type.view(), Qt::Key_Down);
        QTest::keyClick(type.view(), Qt::Key_Return);
        // The offscreen platform leaves the closed list the active window, which a window
        // system does not; the window's hot keys need it back.
        window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window()));
    }
    void save() { QTest::keyClick(&window(), Qt::Key_S, Qt::ControlModifier); }
};

}  // namespace

class PictureTabTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void picturesAreDecodedOnlyWhenTheTabShowsThem() {
        Harness t;
        for (int i = 0; i < 6; ++i)
            t.addFile("song" + std::to_string(i) + ".mp3", png(3000, 2000, QColor(i * 40, 0, 0)));
        const int before = PictureLoader::decodeCount();
        QVERIFY(t.start());
        t.clickRow(1);
        t.clickRow(2);
        QTest::qWait(50);
        QCOMPARE(PictureLoader::decodeCount(), before);  // listed and selected, never decoded
        QCOMPARE(t.window().fileList().model()->rowCount(), 6);

        QVERIFY(t.h.isEnabled(ids::kCmdShowPictureTab));
        t.showPictureTab();
        QCOMPARE(t.window().tagTabs().currentIndex(), 3);
        QTRY_VERIFY(t.showsImage());
        QCOMPARE(PictureLoader::decodeCount(), before + 1);
        QVERIFY2(t.info().contains(QStringLiteral("3000 x 2000")), qPrintable(t.info()));

        t.clickRow(4);
        QTRY_COMPARE(PictureLoader::decodeCount(), before + 2);
    }

    void severalFilesShowTheirSharedPictureOrANote() {
        Harness t;
        const tw::test::Bytes shared = png(40, 30, Qt::blue);
        t.addFile("a.mp3", shared);
        t.addFile("b.mp3", shared);
        t.addFile("c.mp3", png(40, 30, Qt::green));  // same size and type, other image
        t.addFile("d.mp3", {});
        QVERIFY(t.start());
        t.showPictureTab();
        const QString different = tw::gui::text(ids::kPictureDifferent);

        t.clickRow(0);
        t.clickRow(1, Qt::ShiftModifier);
        QTRY_VERIFY(t.showsImage());
        QVERIFY(!t.info().contains(different));

        t.clickRow(2, Qt::ControlModifier);
        QTRY_VERIFY(t.info().contains(different));
        QVERIFY(t.showsImage());  // the first file's picture, to put into the others
        QVERIFY(t.child<QPushButton>("applyPicture").isEnabled());

        t.clickRow(3);
        QTRY_COMPARE(t.info(), tw::gui::text(ids::kPictureNone));
        QVERIFY(!t.showsImage());
        QVERIFY(!t.child<QPushButton>("deletePicture").isEnabled());
        // Nothing was asked or reported.
        QVERIFY(std::none_of(t.h.port.log.begin(), t.h.port.log.end(),
                             [](const std::string& line) { return line.starts_with("ask:"); }));
        QVERIFY(t.h.port.messages.empty());
    }

    // Which file comes first must not matter: the note and the buttons are the same.
    void theDifferentPicturesNoteHoldsInEveryOrder_data() {
        QTest::addColumn<bool>("pictureFirst");
        QTest::newRow("the first file has the picture") << true;
        QTest::newRow("the second file has the picture") << false;
    }
    void theDifferentPicturesNoteHoldsInEveryOrder() {
        QFETCH(bool, pictureFirst);
        Harness t;
        const tw::test::Bytes image = png(30, 20, Qt::magenta);
        t.addFile("a.mp3", pictureFirst ? image : tw::test::Bytes{});
        t.addFile("b.mp3", pictureFirst ? tw::test::Bytes{} : image);
        QVERIFY(t.start());
        t.clickRow(0);
        t.clickRow(1, Qt::ShiftModifier);
        t.showPictureTab();
        QTRY_VERIFY(t.showsImage());
        QVERIFY(t.info().contains(tw::gui::text(ids::kPictureDifferent)));
        for (const char* button : {"deletePicture", "savePicture", "applyPicture"})
            QVERIFY2(t.child<QPushButton>(button).isEnabled(), button);
        QCOMPARE(t.child<QLineEdit>("pictureDescription").text(), QStringLiteral("cover"));
    }

    // The Type and Description fields are the shown picture's own; changing them changes
    // that picture in the files, and the wheel or the arrow keys over them change nothing.
    // Another file's pictures take the same room.
    void typeAndDescriptionEditTheShownPicture() {
        if (!tw::test::mutagenAvailable())
            QSKIP("mutagen is not installed");
        Harness t;
        const tw::test::Bytes image = png(24, 24, Qt::darkGreen);
        t.addFile("a.mp3", image);
        t.addFile("b.mp3", image);
        t.addFile("c.mp3", image, png(24, 24, Qt::gray));
        QVERIFY(t.start());
        t.clickRow(0);
        t.clickRow(1, Qt::ShiftModifier);
        t.showPictureTab();
        QTRY_VERIFY(t.showsImage());
        QComboBox& type = t.child<QComboBox>("pictureType");
        QLineEdit& description = t.child<QLineEdit>("pictureDescription");
        QCOMPARE(type.currentData().toInt(), 3);
        QCOMPARE(description.text(), QStringLiteral("cover"));
        const auto place = [&](QWidget& widget) {
            return QRect(widget.mapTo(&t.window(), QPoint()), widget.size());
        };
        const QRect deleteButton = place(t.child<QPushButton>("deletePicture"));
        const QRect list = place(t.window().fileList());

        QTest::mouseClick(&description, Qt::LeftButton);
        QTest::keyClick(&description, Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(type.hasFocus());
        for (Qt::Key key : {Qt::Key_Up, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Home}) {
            QTest::keyClick(&type, key);
            if (type.view()->isVisible())
                QTest::keyClick(type.view(), Qt::Key_Escape);
        }
        tw::test::wheelOver(type);
        QCOMPARE(type.currentData().toInt(), 3);
        QCOMPARE(t.h.app().list().countDirty(), 0);

        t.pickType(1);  // "Back cover"
        QTRY_VERIFY(t.showsImage());
        QCOMPARE(type.currentData().toInt(), 4);
        description.selectAll();
        QTest::keyClicks(&description, QStringLiteral("sleeve"));
        QCOMPARE(t.h.app().list().countDirty(), 2);
        t.save();
        for (const char* name : {"a.mp3", "b.mp3"}) {
            const auto dump = tw::test::mutagenDump((t.h.music / name).string());
            QCOMPARE(dump.at("APIC:sleeve"),
                     "image/png 4 " + tw::test::md5Hex(std::string(image.begin(), image.end())));
            QVERIFY(!dump.contains("APIC:cover"));
        }

        t.clickRow(2);
        QTRY_COMPARE(t.child<QListWidget>("pictureThumbnails").count(), 2);
        QCOMPARE(description.text(), QStringLiteral("cover"));
        QCOMPARE(place(t.child<QPushButton>("deletePicture")), deleteButton);
        QCOMPARE(place(t.window().fileList()), list);
    }

    void buttonsAddDeleteAndApplyPicturesThatSavingWrites() {
        Harness t;
        t.addFile("a.mp3", {});
        t.addFile("b.mp3", {});
        const tw::test::Bytes image = png(20, 20, Qt::red);
        tw::test::writeBytes(t.h.music / "art.png", image);
        QVERIFY(t.start());
        t.clickRow(0);
        t.showPictureTab();

        // The type chosen from its list by the keyboard (one below "Front cover"), a
        // description typed.
        QComboBox& type = t.child<QComboBox>("pictureType");
        t.pickType(1);
        QCOMPARE(type.currentData().toInt(), 4);
        QTest::keyClicks(&t.child<QLineEdit>("pictureDescription"), QStringLiteral("Back art"));
        t.h.port.openPaths.push_back((t.h.music / "art.png").string());
        QTest::mouseClick(&t.child<QPushButton>("openPicture"), Qt::LeftButton);
        QTRY_VERIFY(t.showsImage());
        t.save();
        auto a = t.h.reread("a.mp3");
        QCOMPARE(a->pictures.items.size(), std::size_t{1});
        QCOMPARE(a->pictures.items[0].info.type, 4);
        QCOMPARE(a->pictures.items[0].info.description, std::string("Back art"));
        QCOMPARE(a->pictures.items[0].info.byteSize, image.size());

        // Put into both selected files; b gets it, a keeps its own.
        t.clickRow(1, Qt::ShiftModifier);
        QTRY_VERIFY(t.child<QPushButton>("applyPicture").isEnabled());
        t.h.port.answers.push_back(tw::base::UserPort::Answer::Yes);
        QTest::mouseClick(&t.child<QPushButton>("applyPicture"), Qt::LeftButton);
        t.save();
        QCOMPARE(t.h.reread("b.mp3")->pictures.items.size(), std::size_t{1});

        // Delete asks; No keeps it, Yes takes it from both.
        QTRY_VERIFY(
            t.child<QPushButton>("deletePicture").isEnabled());  // shown again after the save
        t.h.port.answers.push_back(tw::base::UserPort::Answer::No);
        QTest::mouseClick(&t.child<QPushButton>("deletePicture"), Qt::LeftButton);
        QVERIFY(!t.window()
                     .tagTabs()
                     .findChild<QPushButton*>(QStringLiteral("saveChanges"))
                     ->isEnabled());
        QTRY_VERIFY(t.child<QPushButton>("deletePicture").isEnabled());
        t.h.port.answers.push_back(tw::base::UserPort::Answer::Yes);
        QTest::mouseClick(&t.child<QPushButton>("deletePicture"), Qt::LeftButton);
        t.save();
        QVERIFY(t.h.reread("a.mp3")->pictures.items.empty());
        QVERIFY(t.h.reread("b.mp3")->pictures.items.empty());
    }

    void dropAndPasteAddPictures() {
        Harness t;
        t.addFile("a.mp3", {});
        const tw::test::Bytes image = png(16, 16, Qt::yellow);
        tw::test::writeBytes(t.h.music / "drop.png", image);
        tw::test::writeBytes(t.h.music / "notes.txt", tw::test::Bytes{'h', 'i'});
        QVERIFY(t.start());
        t.clickRow(0);
        t.showPictureTab();
        PicturePage& page = t.page();

        // A dropped text file is refused with a message; a dropped image is added.
        auto drop = [&](const std::string& name) {
            QMimeData data;
            data.setUrls(
                {QUrl::fromLocalFile(QString::fromStdString((t.h.music / name).string()))});
            const QPoint at = page.rect().center();
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(&page, &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(&page, &dropped);
        };
        drop("notes.txt");
        QCOMPARE(t.h.port.messages.size(), std::size_t{1});
        QVERIFY(!t.window().fileList().model()->index(0, 0).data().isNull());
        drop("drop.png");
        QTRY_VERIFY(t.showsImage());

        // A paste of PNG bytes with Ctrl+V goes beside the shown front cover, as the first
        // type the file does not hold; nothing is replaced, so nothing is asked.
        const tw::test::Bytes other = png(16, 16, Qt::cyan);
        auto* clip = new QMimeData;
        clip->setData(QStringLiteral("image/png"),
                      QByteArray(reinterpret_cast<const char*>(other.data()),
                                 static_cast<qsizetype>(other.size())));
        QApplication::clipboard()->setMimeData(clip);
        // (In the description field Ctrl+V pastes text, as everywhere.)
        t.child<QComboBox>("pictureType").setFocus();
        QTest::keyClick(&t.child<QComboBox>("pictureType"), Qt::Key_V, Qt::ControlModifier);
        t.save();
        const auto a = t.h.reread("a.mp3");
        QCOMPARE(a->pictures.items.size(), std::size_t{2});
        QCOMPARE(a->pictures.items[0].info.byteSize, image.size());
        QCOMPARE(a->pictures.items[1].info.type, 4);
        QCOMPARE(a->pictures.items[1].info.byteSize, other.size());
        QVERIFY(std::none_of(t.h.port.log.begin(), t.h.port.log.end(),
                             [](const std::string& line) { return line.starts_with("ask:"); }));
    }
};

QTEST_MAIN(PictureTabTest)
#include "picture_tab_test.moc"
