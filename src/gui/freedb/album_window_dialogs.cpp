// SPDX-License-Identifier: GPL-2.0-or-later
// The album window's commands that open windows of their own: submit, export, database
// info and the settings.
#include <algorithm>

#include "base/settings_store.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "freedb/album_export.h"
#include "gui/common/shell_port.h"
#include "gui/freedb/album_tree.h"
#include "gui/freedb/album_trees.h"
#include "gui/freedb/album_window.h"
#include "gui/freedb/database_info_dialog.h"
#include "gui/freedb/freedb_settings_dialog.h"
#include "gui/freedb/log_pane.h"
#include "gui/freedb/submit_dialog.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

constexpr const char* kSection = "FreeDB";

}  // namespace

void AlbumWindow::submit() {
    if (!shown_)
        return;
    SubmitDialog dialog(
        context_, shown_->album(), [this](const QString& line) { log_->addLine(line); }, this);
    dialog.exec();
}

void AlbumWindow::exportAlbum() {
    if (!shown_)
        return;
    const freedb::AlbumInfo album = shown_->album();
    base::SettingsStore& s = context_.settings;
    const auto choice =
        context_.shell.askAlbumExport(album.discId(), s.getInt(kSection, "ExportLastSelection", 1),
                                      s.getInt(kSection, "OpenExportedFile", 1) != 0);
    if (!choice)
        return;
    const int layout = std::clamp(choice->filterIndex, 1, 3);
    if (!freedb::ExportAlbumToFile(album, static_cast<freedb::AlbumExportFormat>(layout - 1),
                                   choice->path)) {
        context_.port.showMessage(base::UserPort::Severity::Error,
                                  base::tr(ids::kMsgExportingFailed));
        return;
    }
    s.setInt(kSection, "ExportLastSelection", layout);
    s.setInt(kSection, "OpenExportedFile", choice->openAfterwards);
    if (choice->openAfterwards)
        context_.port.openDocument(choice->path);
}

void AlbumWindow::showDatabaseInfo() {
    DatabaseInfoDialog dialog(context_, this);
    dialog.exec();
}

void AlbumWindow::showSettings() {
    FreeDbSettingsDialog dialog(context_, this);
    if (dialog.exec() == QDialog::Accepted)
        trees_->setFormat(dialog.values().treeFormat);
}

}  // namespace tw::gui
