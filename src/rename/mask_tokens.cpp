// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/mask_tokens.h"

#include "base/string_ids.h"

namespace tw::rename {

namespace ids = base::ids;

const std::array<MaskToken, kMaskTokenCount>& maskTokens() {
    static const std::array<MaskToken, kMaskTokenCount> tokens{{
        {"<number>", ids::kLegendNumber, 1001},
        {"<artist>", ids::kLegendArtist, 1002},
        {"<album>", ids::kLegendAlbum, 1003},
        {"<title>", ids::kLegendTitle, 1004},
        {"<year>", ids::kLegendYear, 1005},
        {"<genre>", ids::kLegendGenre, 1006},
        {"<comment>", ids::kLegendComment, 1007},
        {"<composer>", ids::kLegendComposer, 1008},
        {"<playtime>", ids::kLegendPlaytime, 1013},
        {"<bitrate>", ids::kLegendBitrate, 1011},
        {"<counter>", ids::kLegendCounter, 1012},
        {"<filenumber>", ids::kLegendFilenumber, 1009},
        {"<filename>", ids::kLegendFilename, 1010},
        {"<play_time_all>", ids::kLegendPlayTimeAll, 1016},
        {"<number_of_tracks>", ids::kLegendNumberOfTracks, 1015},
        {"<skip>", 0, 1014},
        {"<orig_artist>", 0, 0},
        {"<copyright>", 0, 0},
        {"<url>", 0, 0},
        {"<encoded_by>", 0, 0},
        {"\\", ids::kLegendSubFolder, 1030},
        {"..\\", ids::kLegendFolderUpLevel, 1031},
    }};
    return tokens;
}

const MaskToken& maskToken(MaskTokenId id) {
    return maskTokens()[static_cast<std::size_t>(id)];
}

namespace permission_rows {
// clang-format off
const PermissionRow kDirectoryOneArtist{
    0, 1, 1, 0, 1, 1, 1, 1, 0, 1, 0, 0, 0, 1, 1, 0, 1, 1, 1, 1, 1, 1};
const PermissionRow kRenameFile{
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 1, 1, 1, 1, 1, 0};
const PermissionRow kDirectorySeveralArtists{
    0, 0, 1, 0, 1, 1, 1, 0, 0, 1, 0, 0, 0, 1, 1, 0, 0, 1, 1, 1, 1, 1};
const PermissionRow kFilenameToTagFile{
    1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 0, 0};
const PermissionRow kNothing{};
// clang-format on
}  // namespace permission_rows

TokenPermissions TokenPermissions::forRenaming(bool severalArtists) {
    return {permission_rows::kRenameFile, severalArtists ? permission_rows::kDirectorySeveralArtists
                                                         : permission_rows::kDirectoryOneArtist};
}

TokenPermissions TokenPermissions::forFilenameToTag() {
    return {permission_rows::kFilenameToTagFile, permission_rows::kNothing};
}

TokenPermissions TokenPermissions::forPlaylist(bool severalArtists) {
    const PermissionRow& row = severalArtists ? permission_rows::kDirectorySeveralArtists
                                              : permission_rows::kDirectoryOneArtist;
    return {row, row};
}

}  // namespace tw::rename
