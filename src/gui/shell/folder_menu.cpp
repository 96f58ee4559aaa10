// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/shell/folder_menu.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "base/language_menu.h"
#include "base/string_ids.h"
#include "core/list_sort.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> subfoldersOf(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
         !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (!name.empty() && name.front() != '.' && !it->is_symlink(typeError) &&
            it->is_directory(typeError))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return core::listsBefore(a, b); });
    if (names.size() > static_cast<std::size_t>(FolderMenu::kMaxSubfolders))
        names.resize(FolderMenu::kMaxSubfolders);
    return names;
}

// A folder name as a menu text: an "&" in it is a character, not a mnemonic.
QString menuText(const std::string& name) {
    return qs(name).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace

FolderMenu::FolderMenu(const std::string& folder, Choice choose, QWidget* parent)
    : QMenu(parent), choose_(std::move(choose)) {
    fill(*this, folder);
}

void FolderMenu::fill(QMenu& menu, const std::string& folder) {
    const std::vector<std::string> subfolders = subfoldersOf(folder);
    const bool all = !subfolders.empty();
    QAction* play =
        menu.addAction(all ? text(ids::kMenuPlayAllDirectories)
                           : qs(base::menuItemText(ids::kCmdPlayFolder, ids::kMenuPlayDirectory)));
    QAction* enqueue = menu.addAction(
        all ? text(ids::kMenuEnqueueAllDirectories)
            : qs(base::menuItemText(ids::kCmdEnqueueFolder, ids::kMenuEnqueueDirectory)));
    play->setData(ids::kCmdFolderMenuPlay);
    enqueue->setData(ids::kCmdFolderMenuEnqueue);
    connect(play, &QAction::triggered, this, [this, folder] { choose_(folder, false); });
    connect(enqueue, &QAction::triggered, this, [this, folder] { choose_(folder, true); });
    if (!all)
        return;
    menu.addSeparator();
    for (const std::string& name : subfolders) {
        QMenu* sub = menu.addMenu(menuText(name));  // owned by `menu`
        const std::string path = (fs::path(folder) / name).string() + '/';
        connect(sub, &QMenu::aboutToShow, this, [this, sub, path] {
            if (sub->isEmpty())
                fill(*sub, path);
        });
    }
}

std::string folderMenuStart(const std::string& current) {
    std::string_view path = current;
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return current;
    return std::string(path.substr(0, slash + 1));
}

}  // namespace tw::gui
