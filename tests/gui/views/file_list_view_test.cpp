// SPDX-License-Identifier: GPL-2.0-or-later
#include <QApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include "core/kept_undo.h"
#include "core/list_columns.h"
#include "core/tag_save.h"
#include "gui/views/column_header.h"
#include "gui/views/column_layout.h"
#include "gui/views/file_list_view.h"
#include "view_fixture.h"

namespace tw::gui {

namespace {

using core::TagFieldId;

int column(TagFieldId id) {
    return core::columnIndex(id);
}

QString cell(const FileListView& view, int row, TagFieldId id) {
    return view.model()->index(row, column(id)).data().toString();
}

using test::Frames;
using test::Id3v1Spec;
using test::texts;

// Opens the editor of a cell, types `text` and presses Enter, as the user does.
void typeIntoCell(FileListView& view, const QModelIndex& index, const QString& text) {
    view.edit(index);
    auto* editor = view.viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the delegate commits on the next turn of the loop
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A double click as the user makes it: a click, then the double click.
void doubleClick(FileListView& view, const QPoint& at) {
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
}

QList<int> selectedRows(const FileListView& view) {
    QList<int> rows;
    for (const QModelIndex& index : view.selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void clickHeader(FileListView& view, int logical) {
    QHeaderView* header = view.horizontalHeader();
    const QPoint at(header->sectionViewportPosition(logical) + header->sectionSize(logical) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

}  // namespace

class FileListViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cellsShowTheRecordsWithTrackShownFirst() {
        test::ViewFixture f;
        f.write("a.mp3", Id3v1Spec{.title = "v1 title", .track = 4}, Frames{{"TIT2", "v2 title"}});
        f.write("b.mp3", Id3v1Spec{.title = "only v1"});
        f.scan();
        FileListView view(f.context);
        QCOMPARE(view.horizontalHeader()->visualIndex(column(TagFieldId::Track)), 0);
        QCOMPARE(view.horizontalHeader()->visualIndex(column(TagFieldId::Filename)), 1);
        QCOMPARE(cell(view, 0, TagFieldId::Filename), QStringLiteral("a"));
        QCOMPARE(cell(view, 0, TagFieldId::Title), QStringLiteral("v2 title"));
        QCOMPARE(cell(view, 1, TagFieldId::Title), QStringLiteral("only v1"));
        QCOMPARE(cell(view, 0, TagFieldId::Track), QStringLiteral("4"));
        QVERIFY(!(view.model()->flags(view.model()->index(0, column(TagFieldId::Bitrate))) &
                  Qt::ItemIsEditable));
    }

    void editingATitleCellCreatesBothTagsAndTheSaveWritesThem() {
        test::ViewFixture f;
        f.write("plain.mp3");
        f.scan();
        FileListView view(f.context);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy edits(&f.document, &gui::EditDocument::recordsEdited);
        const QModelIndex icon = view.model()->index(0, 0);
        const QIcon clean = icon.data(Qt::DecorationRole).value<QIcon>();

        typeIntoCell(view, view.model()->index(0, column(TagFieldId::Title)),
                     QStringLiteral("A title longer than the thirty bytes of ID3v1"));

        const core::AudioFile& record = f.list.at(0);
        QVERIFY(record.id3v1.present && record.id3v2.present && record.dirty());
        QCOMPARE(record.id3v1.title, std::string("A title longer than the thirty bytes of ID3v1"));
        QCOMPARE(edits.count(), 1);
        QVERIFY(icon.data(Qt::DecorationRole).value<QIcon>().cacheKey() != clean.cacheKey());

        QVERIFY(core::saveAll(f.list, f.port).empty());
        const auto onDisk = f.reread("plain.mp3");
        QCOMPARE(onDisk->id3v1.title, std::string("A title longer than the thirty"));
        QCOMPARE(onDisk->id3v2.title, std::string("A title longer than the thirty bytes of ID3v1"));
    }

    void editingAFilenameCellRenamesTheFileWithoutReplacingAnother() {
        test::ViewFixture f;
        f.write("a.mp3");
        f.write("b.mp3");
        f.scan();
        FileListView view(f.context);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        typeIntoCell(view, view.model()->index(0, 0), QStringLiteral("Renamed.MP3"));
        QCOMPARE(f.list.at(0).fileName, std::string("Renamed.mp3"));
        QVERIFY(std::filesystem::exists(f.dir / "Renamed.mp3"));
        QVERIFY(!std::filesystem::exists(f.dir / "a.mp3"));
        QCOMPARE(cell(view, 0, TagFieldId::Filename), QStringLiteral("Renamed"));
        QCOMPARE(view.currentIndex().row(), 0);
        // ... and is the renaming "undo" puts back.
        const auto kept = tw::core::readKeptUndo();
        QCOMPARE(kept.batch, tw::core::KeptBatch::Rename);
        QCOMPARE(kept.records.size(), std::size_t{1});

        // Taking the other file's name fails; the cell shows the record as it is.
        typeIntoCell(view, view.model()->index(0, 0), QStringLiteral("b"));
        QCOMPARE(f.list.at(0).fileName, std::string("Renamed.mp3"));
        QCOMPARE(cell(view, 0, TagFieldId::Filename), QStringLiteral("Renamed"));
        QVERIFY(std::filesystem::exists(f.dir / "b.mp3"));
    }

    void aDoubleClickEditsOrAsksForTheInformationWindow() {
        test::ViewFixture f;
        f.write("a.mp3");
        f.scan();
        FileListView view(f.context);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy info(&view, &FileListView::fileInfoRequested);
        const QPoint title =
            view.visualRect(view.model()->index(0, column(TagFieldId::Title))).center();

        doubleClick(view, title);
        QCOMPARE(info.count(), 0);
        QVERIFY(view.viewport()->findChild<QLineEdit*>());
        QTest::keyClick(view.viewport()->findChild<QLineEdit*>(), Qt::Key_Escape);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        // With editing in the list off, a double click asks for the information window and
        // only Edit Filename opens an editor.
        core::options().allowEditInList = false;
        doubleClick(view, title);
        QCOMPARE(info.count(), 1);
        view.setCurrentIndex(view.model()->index(0, 3));
        view.editFilename();
        auto* editor = view.viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        QCOMPARE(editor->text(), QStringLiteral("a"));
    }

    void sortingByAHeaderIsStableAndKeptAcrossRefills() {
        test::ViewFixture f;
        f.write("1.mp3", Id3v1Spec{.title = "Beta"});
        f.write("2.mp3", Id3v1Spec{.title = "alpha"});
        f.write("3.mp3", Id3v1Spec{.title = "Beta"});
        f.write("4.mp3", Id3v1Spec{.title = "Alpha"});
        f.scan();
        FileListView view(f.context);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy chain(&view, &FileListView::chainChanged);
        const auto names = [&] {
            QStringList out;
            for (int row = 0; row < view.model()->rowCount(); ++row)
                out << cell(view, row, TagFieldId::Filename);
            return out;
        };

        clickHeader(view, column(TagFieldId::Title));
        QCOMPARE(names(), texts({"4", "1", "3", "2"}));  // upper case first; ties kept
        QVERIFY(view.sortAscending());
        QCOMPARE(view.horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
        QCOMPARE(chain.count(), 1);

        clickHeader(view, column(TagFieldId::Title));
        QCOMPARE(names(), texts({"2", "1", "3", "4"}));
        QVERIFY(!view.sortAscending());

        // The list is read again in another order; the header's sort is applied again.
        f.scan();
        view.fillRows();
        QCOMPARE(names(), texts({"2", "1", "3", "4"}));
        QCOMPARE(view.sortColumn(), column(TagFieldId::Title));

        // Moves keep their order when the rows are only redrawn.
        QVERIFY(f.list.reorder({3, 1, 2, 0}));
        view.redrawRows();
        QCOMPARE(names(), texts({"4", "1", "3", "2"}));
    }

    void theUsersSelectionBecomesTheChainAndNeverRunsEmpty() {
        test::ViewFixture f;
        for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "d.mp3"})
            f.write(name);
        f.scan();
        FileListView view(f.context);
        QCOMPARE(selectedRows(view), QList<int>({0, 1, 2, 3}));
        QSignalSpy chain(&view, &FileListView::chainChanged);

        QItemSelection rows;
        rows.select(view.model()->index(3, 0), view.model()->index(3, 5));
        rows.select(view.model()->index(1, 0), view.model()->index(1, 5));
        view.selectionModel()->select(
            rows, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QCOMPARE(f.list.selectedIndices(), std::vector<int>({1, 3}));
        QVERIFY(chain.count() >= 1);

        // The program's own selection changes are not fed back.
        const int reported = chain.count();
        f.list.selectAll();
        view.syncSelection();
        view.fillRows();
        QCOMPARE(chain.count(), reported);
        QCOMPARE(selectedRows(view), QList<int>({0, 1, 2, 3}));

        // Deselecting everything leaves the chain as it was and shows it again.
        view.selectionModel()->clearSelection();
        QCOMPARE(f.list.selectedCount(), 4);
        QCOMPARE(selectedRows(view), QList<int>({0, 1, 2, 3}));
    }

    void columnsAreShownHiddenAndTheirLayoutStored() {
        test::ViewFixture f;
        f.scan();
        {
            FileListView view(f.context);
            view.setColumnVisible(32829, true);  // File size
            view.horizontalHeader()->moveSection(1, 0);
            view.setColumnWidth(column(TagFieldId::Title), 123);
        }
        FileListView again(f.context);
        QVERIFY(again.isColumnVisible(32829));
        QCOMPARE(again.horizontalHeader()->visualIndex(column(TagFieldId::Filename)), 0);
        QCOMPARE(again.columnWidth(column(TagFieldId::Title)), 123);

        // A broken stored value gives the default columns.
        f.settings.setBinary(FileListView::kLayoutSection, "LCM2-0", {0xde, 0xad});
        FileListView fresh(f.context);
        QVERIFY(!fresh.isColumnVisible(32829));
        QCOMPARE(fresh.horizontalHeader()->visualIndex(column(TagFieldId::Track)), 0);
    }

    void droppedItemsAreReportedAsLocalPaths() {
        test::ViewFixture f;
        f.scan();
        FileListView view(f.context);
        QSignalSpy drops(&view, &FileListView::itemsDropped);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QStringLiteral("/music/a.mp3")),
                      QUrl(QStringLiteral("https://example.com/b.mp3")),
                      QUrl::fromLocalFile(QStringLiteral("/music/Album"))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(view.viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(view.viewport(), &drop);
        QCOMPARE(drops.count(), 1);
        QCOMPARE(drops.first().at(0).toStringList(), texts({"/music/a.mp3", "/music/Album"}));
    }
};

}  // namespace tw::gui

QTEST_MAIN(tw::gui::FileListViewTest)
#include "file_list_view_test.moc"
