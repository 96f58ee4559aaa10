// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace tw::freedb {

class AlbumInfo;

// The layouts of "Export Album", in the order of the save dialog's filter (index - 1).
enum class AlbumExportFormat { Text = 0, Rtf = 1, Html = 2 };

// One album as a document: the disc rows (artist, title, year, disc id, and for albums not
// from the CD-player INI also category, disc length and extra data) above a table of the
// tracks (number, title, for albums not from the INI length and frames, extra data, and the
// artist for compilations). Labels come from the string table.
//
// The text layout is UTF-8 with "\r\n" line ends. The RTF and HTML layouts are plain ASCII:
// characters above 127 are written as "\uN?" and "&#N;", and the characters with a meaning of
// their own in the format are escaped, so album texts never change the document's structure.
std::string ExportAlbum(const AlbumInfo& album, AlbumExportFormat format);

// Writes ExportAlbum's document to `path` (through a temporary file). False when the file
// could not be written.
[[nodiscard]] bool ExportAlbumToFile(const AlbumInfo& album, AlbumExportFormat format,
                                     const std::filesystem::path& path);

}  // namespace tw::freedb
