#include "gui/app/qt_shell_port.h"

#include <QFileDialog>

#include "base/string_ids.h"
#include "gui/app/about_dialog.h"
#include "gui/app/file_filter.h"
#include "gui/freedb/album_export_dialog.h"
#include "gui/freedb/proxy_credentials_dialog.h"
#include "gui/qt_text.h"
#include "gui/views/file_info_dialog.h"

namespace tw::gui {

namespace ids = base::ids;

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
    const QStringList chosen = QFileDialog::getOpenFileNames(
        parent_, QString(), qs(folder), qtFileFilter(text(ids::kFilterMpegAudioFiles)));
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

std::optional<AlbumExportChoice> QtShellPort::askAlbumExport(const std::string& suggested,
                                                             int filterIndex, bool openAfterwards) {
    AlbumExportDialog dialog(parent_, qs(suggested), filterIndex, openAfterwards);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

std::optional<std::string> QtShellPort::pickDatabaseFolder(const std::string& start) {
    const QString folder = QFileDialog::getExistingDirectory(
        parent_, text(ids::kSettingsChooseLocalDbFolder), qs(start));
    if (folder.isEmpty())
        return std::nullopt;
    return utf8(folder);
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
