// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw::core {
struct AudioFile;
}

namespace tw::rename {

// Where a new name puts a file, and which folders may be made for it.
//
// A name relative to the work folder may begin with ".." parts (as many as its mask's leading
// "..\" run allows; ExpandMask refuses any other) and may lead into sub-folders. The folders a
// rename may create lie below the folder those ".." parts reach, the name's root; folders are
// never created above it, nor anywhere a symbolic link would lead out of it.
struct TargetFolder {
    std::string path;  // the folder the file lands in, lexically normal, ending with '/'
    std::string root;  // the highest folder the name reaches, lexically normal, ending with '/'
};

// The work folder of a record: its path without its file name (which may hold sub-folders).
std::string workFolderOf(const core::AudioFile& file);

// The name `fileName` (as AudioFile::fileNameFor gives it) takes relative to `workFolder`:
// an absolute name (it begins with "/") becomes ".." parts up to the folder both share
// and the path down from there; a relative name stays as it is.
std::string nameInWorkFolder(std::string_view workFolder, std::string_view fileName);

// The folder of `fileName` (a name as AudioFile::fileNameFor gives it) inside `workFolder`.
TargetFolder targetFolderOf(std::string_view workFolder, std::string_view fileName);

// Whether the missing folder may be created: it lies below the root, and the nearest folder
// of it that exists is a folder whose real location lies inside the root's.
bool mayCreateFolder(const TargetFolder& folder);

// Creates the folder and its missing parents when mayCreateFolder allows it. Returns the
// folders it made, outermost first (empty when it made none or failed half-way, in which case
// what it made is removed again).
std::vector<std::string> createFolder(const TargetFolder& folder);

// Removes folders createFolder made, innermost first, each only while it is empty.
void removeCreatedFolders(const std::vector<std::string>& folders);

}  // namespace tw::rename
