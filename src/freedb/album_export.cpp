// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/album_export.h"

#include <cstdio>

#include "base/language.h"
#include "base/string_ids.h"
#include "freedb/album_export_table.h"
#include "freedb/album_info.h"
#include "freedb/atomic_file.h"

namespace tw::freedb {

namespace ids = base::ids;

namespace {

std::string twoDigits(std::size_t number) {
    char text[24];
    std::snprintf(text, sizeof text, "%.02zu", number);
    return text;
}

}  // namespace

AlbumExportTable BuildAlbumExportTable(const AlbumInfo& album) {
    using Column = AlbumExportTable::Column;
    const bool full = album.source() != AlbumSource::CdPlayerIni;
    AlbumExportTable table;
    table.discRows = {
        {base::tr(ids::kTrackColumnArtist) + ":", album.artist()},
        {base::tr(ids::kTrackColumnTitle) + ":", album.title()},
        {base::tr(ids::kAlbumYearLabel), album.year()},
        {base::tr(ids::kAlbumDiskIdLabel), album.discId()},
    };
    if (full) {
        table.discRows.emplace_back(base::tr(ids::kAlbumCategoryLabel), album.category());
        table.discRows.emplace_back(base::tr(ids::kAlbumDiskLengthLabel), album.lengthText());
        table.discRows.emplace_back(base::tr(ids::kTrackColumnExtraInfo) + ":",
                                    album.extendedData());
    }

    table.columns = {Column::Number, Column::Title};
    if (full)
        table.columns.insert(table.columns.end(), {Column::Length, Column::Frames});
    table.columns.push_back(Column::ExtraInfo);
    if (album.isCompilation())
        table.columns.push_back(Column::Artist);

    for (Column column : table.columns) {
        switch (column) {
            case Column::Number:
                table.columnTitles.push_back(base::tr(ids::kTrackColumnNumber));
                break;
            case Column::Title:
                table.columnTitles.push_back(base::tr(ids::kTrackColumnTitle));
                break;
            case Column::Length:
                table.columnTitles.push_back(base::tr(ids::kTrackColumnLength));
                break;
            case Column::Frames:
                table.columnTitles.push_back(base::tr(ids::kTrackColumnFrames));
                break;
            case Column::ExtraInfo:
                table.columnTitles.push_back(base::tr(ids::kTrackColumnExtraInfo));
                break;
            case Column::Artist:
                table.columnTitles.push_back(base::tr(ids::kTrackColumnArtist));
                break;
        }
    }

    for (std::size_t i = 0; i < album.trackCount(); ++i) {
        const AlbumTrack& track = album.track(i);
        std::vector<std::string> row;
        for (Column column : table.columns) {
            switch (column) {
                case Column::Number:
                    row.push_back(twoDigits(i + 1));
                    break;
                case Column::Title:
                    row.push_back(track.title());
                    break;
                case Column::Length:
                    row.push_back(album.trackLengthText(i));
                    break;
                case Column::Frames:
                    row.push_back(std::to_string(album.trackLength(i)));
                    break;
                case Column::ExtraInfo:
                    row.push_back(track.extraData());
                    break;
                case Column::Artist:
                    row.push_back(track.artist());
                    break;
            }
        }
        table.trackRows.push_back(std::move(row));
    }
    return table;
}

std::string ExportAlbum(const AlbumInfo& album, AlbumExportFormat format) {
    const AlbumExportTable table = BuildAlbumExportTable(album);
    switch (format) {
        case AlbumExportFormat::Rtf:
            return LayOutAlbumRtf(table, album.discId());
        case AlbumExportFormat::Html:
            return LayOutAlbumHtml(table, album.discId());
        case AlbumExportFormat::Text:
            break;
    }
    return LayOutAlbumText(table);
}

bool ExportAlbumToFile(const AlbumInfo& album, AlbumExportFormat format,
                       const std::filesystem::path& path) {
    return WriteFileAtomically(path, ExportAlbum(album, format));
}

}  // namespace tw::freedb
