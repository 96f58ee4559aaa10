// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tw::gui {

struct DesktopContext;

// Playing files in the desktop's media player. The player is whatever application opens
// the files (or a playlist) by default; several files reach it as a playlist written to the
// scratch folder, which also keeps the player's view of the files independent of later
// renames. Nothing here reports a failure: a desktop without a player simply plays nothing.

// One file is opened as it is; several go into a playlist named `name` (".m3u" added) that
// is opened. Nothing happens for no files.
void playFiles(DesktopContext& desktop, const std::vector<std::string>& files,
               const std::string& name);

// The MP3 files of `folder` and its sub-folders (folderAudioFiles) as a playlist named
// after the folder: played, or put into the player's queue through the player's own
// "enqueue" action where its desktop entry offers one (else played).
void playFolder(DesktopContext& desktop, const std::string& folder);
void enqueueFolder(DesktopContext& desktop, const std::string& folder);

// The text of a playlist of `files` (absolute paths) in their order: one line each, the path
// as it is when it is well-formed UTF-8 without control characters, else its file URI, so no
// name can split a line or reach the player with other bytes.
std::string playlistText(const std::vector<std::string>& files);

// At most this many files go into a folder's playlist, and at most kMaxFolderEntries
// directory entries are looked at, so playing the root of a large disk ends soon.
inline constexpr std::size_t kMaxFolderFiles = 20000;
inline constexpr std::size_t kMaxFolderEntries = 200000;

// The audio files (core::isListedAudioName, as the option "MP3 files only" says) of
// `folder` and of its sub-folders, each
// folder's own files first, in the list's natural order, then its sub-folders in that
// order. Hidden files and folders (names starting with ".") are left out, and links to
// folders are not followed, so no loop can keep it going.
std::vector<std::string> folderAudioFiles(const std::string& folder);

// The name of a folder's playlist: its last part (trailing "/" aside), without control
// characters; "playlist" for the root.
std::string playlistNameOf(const std::string& folder);

}  // namespace tw::gui
