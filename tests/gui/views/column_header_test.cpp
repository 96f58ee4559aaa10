// SPDX-License-Identifier: GPL-2.0-or-later
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include "base/memory_settings_store.h"
#include "gui/views/column_header.h"
#include "gui/views/column_layout.h"

namespace tw::gui {

class ColumnHeaderTest : public QObject {
    Q_OBJECT

private:
    // A table of three columns "A", "B", "C" whose header starts as C, A, B with B hidden.
    struct Table {
        Table() : model(2, 3), header(new ColumnHeader(defaults(), &view)) {
            model.setHorizontalHeaderLabels(
                {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
            view.setHorizontalHeader(header);
            view.setModel(&model);
            header->applyDefaults();
        }
        static std::vector<ColumnDefaults> defaults() {
            return {{50, 100, 1, true}, {60, 300, 2, false}, {70, 300, 0, true}};
        }
        QStandardItemModel model;
        QTableView view;
        ColumnHeader* header;
    };

private Q_SLOTS:
    // A settings file anyone may edit: every unsound stored layout reads as none.
    void unsoundStoredLayoutsReadAsNone() {
        const auto good = encodeColumnLayout(
            std::vector<ColumnState>{{2, 30, true}, {0, 200, false}, {1, 10, true}});
        QVERIFY(decodeColumnLayout(good, 3));
        QVERIFY(!decodeColumnLayout(good, 4));  // another number of columns
        QVERIFY(!decodeColumnLayout({}, 3));
        QVERIFY(!decodeColumnLayout(std::vector<std::uint8_t>(good.begin(), good.end() - 1), 3));
        auto longer = good;
        longer.push_back(0);
        QVERIFY(!decodeColumnLayout(longer, 3));
        QVERIFY(!decodeColumnLayout(std::vector<std::uint8_t>(41, 0xFF), 3));
        QVERIFY(!decodeColumnLayout(encodeColumnLayout(std::vector<ColumnState>{
                                        {0, 10, false}, {1, 10, false}, {2, 10, false}}),
                                    3));  // every column hidden
        const struct {
            std::size_t at;
            std::uint8_t value;
            const char* what;
        } changes[] = {{4, 2, "unknown version"},
                       {0, 4, "count disagrees with the size"},
                       {5 + 12, 2, "positions not a permutation"},
                       {5, 3, "position past the end"},
                       {5 + 4 + 3, 0x80, "negative width"},
                       {5 + 8, 2, "visible flag neither 0 nor 1"}};
        for (const auto& change : changes) {
            auto bytes = good;
            bytes[change.at] = change.value;
            QVERIFY2(!decodeColumnLayout(bytes, 3), change.what);
        }
    }

    // A layout stored before a column was added keeps its columns; the new one comes last.
    void aLayoutOfFewerColumnsKeepsThemAndAddsTheNewOnes() {
        Table t;
        base::MemorySettingsStore store;
        store.setBinary("List", columnLayoutValueName(0),
                        encodeColumnLayout(std::vector<ColumnState>{{1, 40, true}, {0, 90, true}}));
        QVERIFY(t.header->restoreLayout(store, "List", 0));
        QCOMPARE(t.header->layout(),
                 (std::vector<ColumnState>{{1, 40, true}, {0, 90, true}, {2, 70, true}}));
    }

    void widthsStayWithinTheColumnsLimits() {
        Table table;
        table.header->resizeSection(0, 400);
        QCOMPARE(table.header->sectionSize(0), 100);
        table.header->resizeSection(2, 2);
        QCOMPARE(table.header->sectionSize(2), ColumnHeader::kMinimumWidth);

        // Stored widths are kept within the limits too; a hidden column keeps its width.
        QVERIFY(table.header->applyLayout({{0, 5000, true}, {1, 80, false}, {2, 40, true}}));
        QCOMPARE(table.header->sectionSize(0), 100);
        QCOMPARE(table.header->layout()[1].width, 80);
        table.header->setColumnVisible(1, true);
        QCOMPARE(table.header->sectionSize(1), 80);
    }

    void theLastVisibleColumnIsNeverHidden() {
        Table table;
        table.header->setColumnVisible(1, true);
        QVERIFY(!table.header->isSectionHidden(1));
        table.header->setColumnVisible(0, false);
        table.header->setColumnVisible(1, false);
        QVERIFY(table.header->isSectionHidden(0) && table.header->isSectionHidden(1));
        table.header->setColumnVisible(2, false);
        QVERIFY(!table.header->isSectionHidden(2));
        table.header->setColumnVisible(7, false);  // no such column
    }
};

}  // namespace tw::gui

QTEST_MAIN(tw::gui::ColumnHeaderTest)
#include "column_header_test.moc"
