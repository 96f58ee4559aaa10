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

    static std::vector<ColumnState> defaultLayout() {
        return {{1, 50, true}, {2, 60, false}, {0, 70, true}};
    }

private Q_SLOTS:
    void storedLayoutsRoundTrip() {
        const std::vector<ColumnState> columns = {{2, 30, true}, {0, 200, false}, {1, 10, true}};
        const auto bytes = encodeColumnLayout(columns);
        QCOMPARE(bytes.size(), std::size_t{5 + 3 * 12});
        QCOMPARE(bytes[0], std::uint8_t{3});
        QCOMPARE(bytes[4], kColumnLayoutVersion);
        QCOMPARE(decodeColumnLayout(bytes, 3), std::optional(columns));
        QCOMPARE(columnLayoutValueName(0), std::string("LCM2-0"));
        QCOMPARE(columnLayoutValueName(12), std::string("LCM2-12"));
    }

    void unsoundStoredLayoutsReadAsNone() {
        const std::vector<ColumnState> columns = {{2, 30, true}, {0, 200, false}, {1, 10, true}};
        const auto good = encodeColumnLayout(columns);
        auto check = [](std::vector<std::uint8_t> bytes, const char* what) {
            QVERIFY2(!decodeColumnLayout(bytes, 3), what);
        };
        check({}, "empty");
        check(std::vector<std::uint8_t>(good.begin(), good.end() - 1), "one byte short");
        auto longer = good;
        longer.push_back(0);
        check(longer, "one byte more");
        QVERIFY(!decodeColumnLayout(good, 4));  // another number of columns
        auto version = good;
        version[4] = 2;
        check(version, "unknown version");
        auto count = good;
        count[0] = 4;
        check(count, "count disagrees with the size");
        auto twice = good;
        twice[5 + 12] = 2;  // second column also at place 2
        check(twice, "positions not a permutation");
        auto beyond = good;
        beyond[5] = 3;
        check(beyond, "position past the end");
        auto wide = good;
        wide[5 + 4 + 3] = 0x80;  // a negative width
        check(wide, "width out of range");
        auto flag = good;
        flag[5 + 8] = 2;
        check(flag, "visible flag neither 0 nor 1");
        check(encodeColumnLayout(
                  std::vector<ColumnState>{{0, 10, false}, {1, 10, false}, {2, 10, false}}),
              "every column hidden");
        check(std::vector<std::uint8_t>(41, 0xFF), "junk of the right size");
    }

    void defaultsPlaceSizeAndHideColumns() {
        Table table;
        QCOMPARE(table.header->visualIndex(2), 0);
        QCOMPARE(table.header->visualIndex(0), 1);
        QVERIFY(table.header->isSectionHidden(1));
        QCOMPARE(table.header->sectionSize(0), 50);
        QCOMPARE(table.header->layout(), defaultLayout());
    }

    void layoutsAreStoredAndRestored() {
        base::MemorySettingsStore store;
        {
            Table table;
            table.header->moveSection(table.header->visualIndex(0), 0);
            table.header->resizeSection(2, 120);
            table.header->setColumnVisible(1, true);
            table.header->saveLayout(store, "Some List", 1);
        }
        QVERIFY(store.hasValue("Some List", "LCM2-1"));
        Table restored;
        QVERIFY(restored.header->restoreLayout(store, "Some List", 1));
        QCOMPARE(restored.header->visualIndex(0), 0);
        QCOMPARE(restored.header->sectionSize(2), 120);
        QVERIFY(!restored.header->isSectionHidden(1));
        // Another set of the same section was never stored.
        Table other;
        QVERIFY(!other.header->restoreLayout(store, "Some List", 0));
        QCOMPARE(other.header->layout(), defaultLayout());
    }

    void junkStoredLayoutsGiveTheDefaults() {
        base::MemorySettingsStore store;
        Table table;
        table.header->moveSection(0, 2);
        store.setBinary("List", "LCM2-0", {1, 2, 3, 4, 5, 6, 7});
        QVERIFY(!table.header->restoreLayout(store, "List", 0));
        QCOMPARE(table.header->layout(), defaultLayout());

        // A sound layout of another number of columns (the program had other columns then).
        store.setBinary("List", "LCM2-0",
                        encodeColumnLayout(std::vector<ColumnState>{{0, 10, true}, {1, 10, true}}));
        QVERIFY(!table.header->restoreLayout(store, "List", 0));
        QCOMPARE(table.header->layout(), defaultLayout());
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
