// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tw::freedb {

class AlbumInfo;

// What every album export layout shows, before it is laid out.
struct AlbumExportTable {
    enum class Column { Number, Title, Length, Frames, ExtraInfo, Artist };

    // (label, value) rows about the disc, labels with their colon.
    std::vector<std::pair<std::string, std::string>> discRows;
    std::vector<Column> columns;
    std::vector<std::string> columnTitles;
    // One row of cell texts per track, in column order.
    std::vector<std::vector<std::string>> trackRows;
};

AlbumExportTable BuildAlbumExportTable(const AlbumInfo& album);

// The three layouts (see album_export.h).
std::string LayOutAlbumText(const AlbumExportTable& table);
std::string LayOutAlbumRtf(const AlbumExportTable& table, const std::string& discId);
std::string LayOutAlbumHtml(const AlbumExportTable& table, const std::string& discId);

}  // namespace tw::freedb
