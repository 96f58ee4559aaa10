// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/app/qt_shell_port.h"

#include <QApplication>
#include <QFileDialog>

#include "base/string_ids.h"
#include "core/app_options.h"
#include "gui/app/about_dialog.h"
#include "gui/common/file_filter.h"
#include "gui/freedb/album_export_dialog.h"
#include "gui/freedb/proxy_credentials_dialog.h"
#include "gui/qt_text.h"
#include "gui/rename/change_case_dialog.h"
#include "gui/rename/filename_rename_dialog.h"
#include "gui/rename/filename_to_tag_dialog.h"
#include "gui/views/file_info_dialog.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

// A folder that exists, chosen in the platform's folder browser titled `titleId`.
std::optional<std::string> existingFolder(QWidget* parent, int titleId, const std::string& start) {
    const QString folder = QFileDialog::getExistingDirectory(parent, text(titleId), qs(start));
    if (folder.isEmpty())
        return std::nullopt;
    return utf8(folder);
}

}  // namespace

std::optional<std::string> QtShellPort::pickFolder(const std::string& start) {
    QFileDialog dialog(parent_, text(ids::kSelectDirCaption), qs(start));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setLabelText(QFileDialog::LookIn, text(ids::kSelectDirPrompt));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return utf8(dialog.selectedFiles().first());
}

std::vector<std::string> QtShellPort::pickAudioFiles(const std::string& folder) {
    const int filter =
        core::options().mp3FilesOnly ? ids::kFilterMpegAudioFiles : ids::kFilterAudioFiles;
    const QStringList chosen =
        QFileDialog::getOpenFileNames(parent_, QString(), qs(folder), qtFileFilter(text(filter)));
    std::vector<std::string> paths;
    for (const QString& path : chosen)
        paths.push_back(utf8(path));
    return paths;
}

void QtShellPort::showFileInfo(GuiContext& context, int index) {
    FileInfoDialog dialog(context, index, parent_);
    dialog.exec();
}

void QtShellPort::showAbout() {
    AboutDialog dialog(parent_);
    dialog.exec();
}

bool QtShellPort::showRenaming(GuiContext& context) {
    DlgFilenameRename dialog(context, *this, parent_);
    dialog.exec();
    return dialog.changedRecords();
}

bool QtShellPort::showFilenameToTag(GuiContext& context) {
    DlgFilenameToTag dialog(context, *this, parent_);
    dialog.exec();
    return dialog.changedRecords();
}

bool QtShellPort::showChangeCase(GuiContext& context, rename::ChangeCaseTarget target) {
    DlgChangeCase dialog(context, target, parent_);
    dialog.exec();
    return dialog.changedRecords();
}

std::optional<std::string> QtShellPort::pickPath(const std::string& start) {
    return existingFolder(QApplication::activeModalWidget(), ids::kMaskSelectPath, start);
}

std::optional<AlbumExportChoice> QtShellPort::askAlbumExport(const std::string& suggested,
                                                             int filterIndex, bool openAfterwards) {
    AlbumExportDialog dialog(parent_, qs(suggested), filterIndex, openAfterwards);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

std::optional<std::string> QtShellPort::pickDatabaseFolder(const std::string& start) {
    return existingFolder(parent_, ids::kSettingsChooseLocalDbFolder, start);
}

bool QtShellPort::askProxyCredentials(std::string& user, std::string& password) {
    ProxyCredentialsDialog dialog(qs(user), qs(password), parent_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    user = utf8(dialog.user());
    password = utf8(dialog.password());
    return true;
}

}  // namespace tw::gui
