// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tw::rename {

// The vocabulary of masks. A token is found by plain, case-sensitive substring search;
// text outside tokens is copied literally. "\" separates folders and a leading "..\" goes
// one folder up.
enum class MaskTokenId : std::size_t {
    Number,
    Artist,
    Album,
    Title,
    Year,
    Genre,
    Comment,
    Composer,
    Playtime,
    Bitrate,
    Counter,
    FileNumber,
    FileName,
    PlayTimeAll,
    NumberOfTracks,
    Skip,
    OrigArtist,
    Copyright,
    Url,
    EncodedBy,
    SubFolder,
    UpLevel,
};
inline constexpr std::size_t kMaskTokenCount = 22;

struct MaskToken {
    std::string_view text;
    int legendId;  // string id of the legend text beside its insert button; 0 for none
    int buttonId;  // control id of the insert button; 0 for none
};

// The 22 tokens in their fixed order; TokenPermissions rows are indexed the same way.
const std::array<MaskToken, kMaskTokenCount>& maskTokens();
const MaskToken& maskToken(MaskTokenId id);

// The third folder button, which puts an absolute folder in front of the mask.
inline constexpr int kAbsPathButtonId = 1032;

// Which tokens a mask may hold: one row for its file part (after the last "\"), one for its
// directory part. The directory row's flag for "\" says whether folders are allowed at all,
// its flag for "..\" whether up-level folders are.
using PermissionRow = std::array<bool, kMaskTokenCount>;

struct TokenPermissions {
    PermissionRow filePart;
    PermissionRow directoryPart;

    // Renaming: file row B with directory row A, or C when the files have several artists.
    static TokenPermissions forRenaming(bool severalArtists);
    // Filename-to-tag: file row D, no directory part at all (E).
    static TokenPermissions forFilenameToTag();
    // Playlist names: row A for both parts, or C for both with several artists.
    static TokenPermissions forPlaylist(bool severalArtists);
};

// The rows in use.
namespace permission_rows {
extern const PermissionRow kDirectoryOneArtist;       // A
extern const PermissionRow kRenameFile;               // B
extern const PermissionRow kDirectorySeveralArtists;  // C
extern const PermissionRow kFilenameToTagFile;        // D
extern const PermissionRow kNothing;                  // E
}  // namespace permission_rows

}  // namespace tw::rename
