// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/shell/media_player.h"

#include <QFile>
#include <algorithm>
#include <filesystem>

#include "base/text.h"
#include "core/app_options.h"
#include "core/formats/audio_format.h"
#include "core/list_sort.h"
#include "gui/qt_text.h"
#include "gui/shell/desktop_context.h"
#include "gui/shell/desktop_entry.h"
#include "gui/shell/desktop_open.h"
#include "gui/shell/desktop_port.h"
#include "gui/shell/local_url.h"
#include "gui/shell/scratch_folder.h"

namespace tw::gui {

namespace fs = std::filesystem;

namespace {

bool isAudioName(const std::string& name) {
    return core::isListedAudioName(name, core::options().mp3FilesOnly);
}

// A desktop entry is a few kilobytes; anything far larger is not one.
constexpr qint64 kMaxEntrySize = 1 << 20;

bool isControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

bool isPlainPath(std::string_view path) {
    return base::isValidUtf8(path) && std::none_of(path.begin(), path.end(), isControl);
}

void sortNaturally(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return core::listsBefore(a, b); });
}

std::string writePlaylist(DesktopContext& desktop, const std::vector<std::string>& files,
                          const std::string& name) {
    return desktop.scratch.write(name + ".m3u", playlistText(files));
}

void open(DesktopContext& desktop, const QUrl& url) {
    openOnDesktop(desktop.port, desktop.user, url);
}

// Starts the queueing action of the player that opens `playlist` by default; false where
// there is no such player, action or program.
bool startEnqueueAction(DesktopPort& port, const std::string& playlist) {
    const QString entryPath = port.defaultApplicationEntry(qs(playlist));
    if (entryPath.isEmpty())
        return false;
    QFile file(entryPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const DesktopEntry entry = DesktopEntry::parse(file.read(kMaxEntrySize).toStdString());
    const std::optional<std::string> exec = enqueueActionExec(entry);
    if (!exec)
        return false;
    const ExecFields fields{{playlist},
                            utf8(entryPath),
                            entry.value(kDesktopEntryGroup, "Name").value_or(std::string()),
                            entry.value(kDesktopEntryGroup, "Icon").value_or(std::string())};
    const std::vector<std::string> command = expandExec(*exec, fields);
    if (command.empty())
        return false;
    QStringList arguments;
    for (std::size_t i = 1; i < command.size(); ++i)
        arguments.append(qs(command[i]));
    return port.startProgram(qs(command.front()), arguments);
}

}  // namespace

std::string playlistText(const std::vector<std::string>& files) {
    std::string text;
    for (const std::string& file : files) {
        text += isPlainPath(file) ? file : fileUri(file);
        text += '\n';
    }
    return text;
}

std::vector<std::string> folderAudioFiles(const std::string& folder) {
    std::vector<std::string> files;
    std::vector<fs::path> pending{fs::path(folder)};
    std::size_t entries = 0;
    while (!pending.empty() && files.size() < kMaxFolderFiles) {
        const fs::path current = pending.back();
        pending.pop_back();
        std::vector<std::string> own;
        std::vector<std::string> subfolders;
        std::error_code error;
        for (fs::directory_iterator it(current, fs::directory_options::skip_permission_denied,
                                       error);
             !error && it != fs::directory_iterator(); it.increment(error)) {
            if (++entries > kMaxFolderEntries) {
                pending.clear();
                break;
            }
            const std::string name = it->path().filename().string();
            if (name.empty() || name.front() == '.')
                continue;
            std::error_code typeError;
            if (it->is_symlink(typeError)) {
                if (isAudioName(name) && it->is_regular_file(typeError))
                    own.push_back(name);
            } else if (it->is_directory(typeError)) {
                subfolders.push_back(name);
            } else if (isAudioName(name) && it->is_regular_file(typeError)) {
                own.push_back(name);
            }
        }
        sortNaturally(own);
        for (const std::string& name : own)
            files.push_back((current / name).string());
        sortNaturally(subfolders);
        for (auto it = subfolders.rbegin(); it != subfolders.rend(); ++it)
            pending.push_back(current / *it);
    }
    if (files.size() > kMaxFolderFiles)
        files.resize(kMaxFolderFiles);
    return files;
}

std::string playlistNameOf(const std::string& folder) {
    std::string_view path = folder;
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    const std::size_t slash = path.rfind('/');
    std::string name;
    for (char c : path.substr(slash == std::string_view::npos ? 0 : slash + 1))
        name += isControl(c) ? ' ' : c;
    return name.empty() ? std::string("playlist") : name;
}

void playFiles(DesktopContext& desktop, const std::vector<std::string>& files,
               const std::string& name) {
    if (files.empty())
        return;
    if (files.size() == 1) {
        open(desktop, localUrl(files.front()));
        return;
    }
    const std::string playlist = writePlaylist(desktop, files, name);
    if (!playlist.empty())
        open(desktop, localUrl(playlist));
}

namespace {

void handFolder(DesktopContext& desktop, const std::string& folder, bool enqueue) {
    const std::vector<std::string> files = folderAudioFiles(folder);
    if (files.empty())
        return;
    const std::string playlist = writePlaylist(desktop, files, playlistNameOf(folder));
    if (playlist.empty())
        return;
    if (!enqueue || !startEnqueueAction(desktop.port, playlist))
        open(desktop, localUrl(playlist));
}

}  // namespace

void playFolder(DesktopContext& desktop, const std::string& folder) {
    handFolder(desktop, folder, false);
}

void enqueueFolder(DesktopContext& desktop, const std::string& folder) {
    handFolder(desktop, folder, true);
}

}  // namespace tw::gui
