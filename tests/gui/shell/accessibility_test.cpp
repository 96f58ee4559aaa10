// SPDX-License-Identifier: GPL-2.0-or-later
// Every window walked with the Tab key as a keyboard user walks it, listening as a screen
// reader listens: each stop must have a name to read out, and the walk must come back to
// where it started instead of getting caught in one control.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QTabWidget>
#include <QtTest>
#include <functional>
#include <memory>
#include <vector>

#include "core/app_options.h"
#include "gui/app/about_dialog.h"
#include "gui/app/application.h"
#include "gui/common/failed_files_dialog.h"
#include "gui/common/overwrite_dialog.h"
#include "gui/document/edit_document.h"
#include "gui/export/export_sheet.h"
#include "gui/export/playlist_dialog.h"
#include "gui/freedb/album_export_dialog.h"
#include "gui/freedb/album_window.h"
#include "gui/freedb/database_info_dialog.h"
#include "gui/freedb/freedb_settings_dialog.h"
#include "gui/freedb/freedb_window_fixture.h"
#include "gui/freedb/proxy_credentials_dialog.h"
#include "gui/freedb/proxy_settings_dialog.h"
#include "gui/freedb/server_list_dialog.h"
#include "gui/freedb/submit_dialog.h"
#include "gui/mainwindow/main_window.h"
#include "gui/rename/change_case_dialog.h"
#include "gui/rename/filename_rename_dialog.h"
#include "gui/rename/filename_to_tag_dialog.h"
#include "gui/rename/mask_editor.h"
#include "gui/rename/mask_editor_setup.h"
#include "gui/rename/symbol_pair_dialog.h"
#include "gui/support/app_harness.h"
#include "gui/views/file_info_dialog.h"
#include "rename/change_case_command.h"
#include "rename/mask_list.h"
#include "rename/symbol_table.h"

namespace tw::gui {

namespace {

// More stops than any window has: a walk that needs more is caught somewhere.
constexpr int kMaxStops = 150;

// The running program on a few selected files, and the CDDB windows' world beside it.
struct Windows {
    test::AppHarness h;
    test::FreeDbWindowFixture cddb;
    std::unique_ptr<GuiContext> context;
    rename::MaskList masks{rename::kRenamingMaskSection};
    MaskEditorSetup maskSetup = renamingEditorSetup(rename::TokenPermissions::forRenaming(false));
    freedb::FreeDbSettings proxySettings;

    Windows() {
        h.addFile("a.mp3", "A");
        h.addFile("b.mp3", "B");
        if (!h.start())
            qFatal("the program did not start");
        h.app().document().selectAll();
        context = std::make_unique<GuiContext>(
            GuiContext{h.app().list(), core::options(), h.store, h.port, h.app().document()});
        cddb.pointAtServers();
        masks.addDefaults({"<title>", "<number> - <title>"});
        rename::setEditedSymbolTable(h.store, rename::kTagToFilenameTable);
    }
};

// A window of its own, or none for the main window.
using Open = std::function<std::unique_ptr<QWidget>(Windows&)>;

struct WindowCase {
    const char* name;
    Open open;
};

const std::vector<WindowCase>& windowCases() {
    static const std::vector<WindowCase> cases = {
        {"main window", [](Windows&) { return std::unique_ptr<QWidget>(); }},
        {"file information",
         [](Windows& w) { return std::make_unique<FileInfoDialog>(*w.context, 0); }},
        {"renaming",
         [](Windows& w) { return std::make_unique<DlgFilenameRename>(*w.context, w.h.shell); }},
        {"filename to tags",
         [](Windows& w) { return std::make_unique<DlgFilenameToTag>(*w.context, w.h.shell); }},
        {"letter case",
         [](Windows& w) {
             return std::make_unique<DlgChangeCase>(*w.context, rename::ChangeCaseTarget::Title);
         }},
        {"mask editor",
         [](Windows& w) {
             return std::make_unique<MaskEditor>(*w.context, w.h.shell, w.masks, w.maskSetup);
         }},
        {"symbol pair",
         [](Windows& w) { return std::make_unique<SymbolPairDialog>(w.h.port, std::nullopt); }},
        {"playlist",
         [](Windows& w) { return std::make_unique<PlaylistDialog>(*w.context, w.h.shell); }},
        {"export sheet",
         [](Windows& w) {
             return std::make_unique<CPropertySheetExport>(*w.context, w.h.shell,
                                                           ExportSheetKind{});
         }},
        {"export sheet with template",
         [](Windows& w) {
             return std::make_unique<CPropertySheetExport>(*w.context, w.h.shell,
                                                           ExportSheetKind{.templated = true});
         }},
        {"album window with its search bar",
         [](Windows& w) {
             w.cddb.settings.setInt("FreeDB", "ShowSearchBar", 1);
             return std::make_unique<AlbumWindow>(w.cddb.context(), test::TwoTrackDisc());
         }},
        {"CDDB settings",
         [](Windows& w) { return std::make_unique<FreeDbSettingsDialog>(w.cddb.context()); }},
        {"server list",
         [](Windows& w) {
             return std::make_unique<ServerListDialog>(w.cddb.context(),
                                                       w.cddb.storedConfig().freedb);
         }},
        {"proxy settings",
         [](Windows& w) { return std::make_unique<ProxySettingsDialog>(w.proxySettings); }},
        {"proxy credentials",
         [](Windows&) {
             return std::make_unique<ProxyCredentialsDialog>(QStringLiteral("user"),
                                                             QStringLiteral("secret"));
         }},
        {"database information",
         [](Windows& w) { return std::make_unique<DatabaseInfoDialog>(w.cddb.context()); }},
        {"submission",
         [](Windows& w) {
             return std::make_unique<SubmitDialog>(w.cddb.context(), test::TwoTrackDisc(),
                                                   [](const QString&) {});
         }},
        {"album export",
         [](Windows&) {
             return std::make_unique<AlbumExportDialog>(nullptr, QStringLiteral("album"), 1, true);
         }},
        {"about", [](Windows&) { return std::make_unique<AboutDialog>(); }},
        {"failed files",
         [](Windows&) {
             return std::make_unique<FailedFilesDialog>(
                 QStringLiteral("Errors"), QStringLiteral("Could not write"),
                 QStringLiteral("/music"), std::vector<std::string>{"a.mp3", "b.mp3"});
         }},
        {"overwrite",
         [](Windows&) {
             return std::make_unique<OverwriteDialog>(QStringLiteral("Overwrite a.mp3?"));
         }},
    };
    return cases;
}

// What a screen reader reads for the control the keyboard is on; on a row of tabs, the tab
// in front.
QString spokenName(QWidget* focus) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(focus);
    if (accessible && accessible->role() == QAccessible::PageTabList && accessible->focusChild())
        accessible = accessible->focusChild();
    return accessible ? accessible->text(QAccessible::Name).trimmed() : QString();
}

// The control's class and object name, or those of its parent when it has none.
QString describe(const QWidget* widget) {
    QString where = QString::fromLatin1(widget->metaObject()->className());
    for (; widget && widget->objectName().isEmpty(); widget = widget->parentWidget()) {
    }
    return widget ? where + QLatin1Char(' ') + widget->objectName() : where;
}

// Buttons the Tab key passes by (the clear buttons of the fields, the tool bars) are
// still found by a screen reader's review of the window.
QStringList unnamedButtons(QWidget& window) {
    QStringList faults;
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
        if (button->isVisible() && spokenName(button).isEmpty())
            faults << QStringLiteral("no name: ") + describe(button);
    return faults;
}

// The first control inside `area` that the Tab key stops at, or null.
QWidget* firstStop(QWidget& area) {
    for (QWidget* w = area.nextInFocusChain(); w != &area; w = w->nextInFocusChain())
        if (area.isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisible() &&
            w->isEnabled())
            return w;
    return nullptr;
}

// Presses Tab from the first control of `area` until the focus is back there; every control
// passed that has no name is listed, and so is a control that keeps the Tab key to itself or
// a walk that circles without coming back.
QStringList walkTabOrder(QWidget& area) {
    QWidget* start = firstStop(area);
    if (!start)
        return {};
    start->setFocus(Qt::TabFocusReason);
    start = QApplication::focusWidget();
    QStringList faults;
    QList<QWidget*> passed;
    QWidget* at = start;
    for (int stop = 0; stop < kMaxStops; ++stop) {
        passed << at;
        if (spokenName(at).isEmpty())
            faults << QStringLiteral("no name: ") + describe(at);
        QTest::keyClick(at, Qt::Key_Tab);
        QWidget* next = QApplication::focusWidget();
        if (next == start)
            return faults;
        if (!next || next == at)
            return faults << QStringLiteral("Tab stays in ") + describe(at);
        if (passed.contains(next))
            return faults << QStringLiteral("the walk circles back to ") + describe(next);
        at = next;
    }
    return faults << QStringLiteral("no way back after %1 stops").arg(kMaxStops);
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every page of every tab set is walked, since Tab only reaches the page on show.
    void everyControlOnTheTabWalkHasAName_data() {
        QTest::addColumn<int>("window");
        for (std::size_t i = 0; i < windowCases().size(); ++i)
            QTest::newRow(windowCases()[i].name) << int(i);
    }
    void everyControlOnTheTabWalkHasAName() {
        QFETCH(int, window);
        Windows w;
        const std::unique_ptr<QWidget> own =
            windowCases()[static_cast<std::size_t>(window)].open(w);
        QWidget* shown = own ? own.get() : &w.h.window();
        shown->show();
        shown->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(shown));
        QStringList faults = walkTabOrder(*shown);
        for (QTabWidget* tabs : shown->findChildren<QTabWidget*>()) {
            for (int page = 1; page < tabs->count(); ++page) {
                tabs->setCurrentIndex(page);
                faults << walkTabOrder(*tabs->widget(page));
            }
        }
        faults << unnamedButtons(*shown);
        faults.removeDuplicates();
        for (const QString& fault : faults)
            qWarning("%s", qPrintable(fault));
        QVERIFY(faults.isEmpty());
    }
};

}  // namespace tw::gui

QTEST_MAIN(tw::gui::AccessibilityTest)
#include "accessibility_test.moc"
