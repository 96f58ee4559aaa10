// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/export_columns.h"

#include "base/format.h"
#include "base/language.h"
#include "base/settings_store.h"
#include "base/string_ids.h"

namespace tw::exports {

namespace {

namespace ids = base::ids;

constexpr std::string_view kSection = "Export";

constexpr std::array<ExportColumn, kExportColumnCount> kColumns = {{
    {1, ids::kListColumnTrack, ids::kCmdColumnTrack, RecordValue::Track},
    {2, ids::kListColumnTitle, ids::kCmdColumnTitle, RecordValue::Title},
    {3, ids::kListColumnArtist, ids::kCmdColumnArtist, RecordValue::Artist},
    {4, ids::kListColumnAlbum, ids::kCmdColumnAlbum, RecordValue::Album},
    {5, ids::kListColumnYear, ids::kCmdColumnYear, RecordValue::Year},
    {6, ids::kListColumnGenre, ids::kCmdColumnGenre, RecordValue::Genre},
    {7, ids::kListColumnComments, ids::kCmdColumnComments, RecordValue::Comment},
    {8, ids::kListColumnComposer, ids::kCmdColumnComposer, RecordValue::Composer},
    {9, ids::kListColumnOrigArtist, ids::kCmdColumnOrigArtist, RecordValue::OrigArtist},
    {10, ids::kListColumnCopyright, ids::kCmdColumnCopyright, RecordValue::Copyright},
    {11, ids::kListColumnUrl, ids::kCmdColumnUrl, RecordValue::Url},
    {12, ids::kListColumnPublisher, ids::kCmdColumnPublisher, RecordValue::Publisher},
    {13, ids::kListColumnLyrics, ids::kCmdColumnLyrics, RecordValue::Lyrics},
    {14, ids::kListColumnPicture, 0, RecordValue::None},
    {15, ids::kListColumnFilename, ids::kCmdColumnFilename, RecordValue::FileName},
    {16, ids::kListColumnCreated, ids::kCmdColumnCreated, RecordValue::Created},
    {17, ids::kListColumnChanged, ids::kCmdColumnChanged, RecordValue::Changed},
    {18, ids::kListColumnFileSize, ids::kCmdColumnFileSize, RecordValue::Size},
    {19, ids::kListColumnPlayTime, ids::kCmdColumnPlayTime, RecordValue::PlayTime},
    {20, ids::kListColumnBitrate, ids::kCmdColumnBitrate, RecordValue::Bitrate},
    {21, ids::kListColumnChannels, ids::kCmdColumnChannels, RecordValue::Channels},
}};

bool validIndex(int index) {
    return index >= 1 && index <= kExportColumnCount;
}

std::string flagName(int index) {
    return base::formatText("c%d", index);
}

}  // namespace

std::span<const ExportColumn> exportColumns() {
    return kColumns;
}

std::string exportColumnValue(const core::AudioFile& file, int index) {
    if (!validIndex(index))
        return {};
    return recordValue(file, kColumns[static_cast<std::size_t>(index - 1)].value);
}

std::string exportColumnHeader(int index) {
    if (!validIndex(index))
        return {};
    const ExportColumn& column = kColumns[static_cast<std::size_t>(index - 1)];
    if (column.headerId != 0) {
        if (std::optional<std::string> text = base::translatedText(column.headerId, "MenuItems"))
            return *text;
    }
    base::LangString title;
    return title.LoadFrom(column.labelId, title.SectionOf(column.labelId));
}

ExportColumnFlags ExportColumnFlags::load(const base::SettingsStore& store) {
    ExportColumnFlags flags;
    for (int index = 1; index <= kExportColumnCount; ++index)
        flags.set(index, store.getInt(kSection, flagName(index), 1) == 1);
    return flags;
}

void ExportColumnFlags::save(base::SettingsStore& store) const {
    for (int index = 1; index <= kExportColumnCount; ++index) {
        if (index != kPictureColumn)
            store.setInt(kSection, flagName(index), checked(index) ? 1 : 0);
    }
}

bool ExportColumnFlags::checked(int index) const {
    return validIndex(index) && on_[static_cast<std::size_t>(index - 1)];
}

void ExportColumnFlags::set(int index, bool on) {
    if (validIndex(index) && index != kPictureColumn)
        on_[static_cast<std::size_t>(index - 1)] = on;
}

void ExportColumnFlags::checkAll() {
    for (int index = 1; index <= kExportColumnCount; ++index)
        set(index, true);
}

void ExportColumnFlags::uncheckAll() {
    on_.fill(false);
}

void ExportColumnFlags::invertAll() {
    for (int index = 1; index <= kExportColumnCount; ++index)
        set(index, !checked(index));
}

std::vector<int> ExportColumnFlags::columns() const {
    std::vector<int> indices;
    for (int index = 1; index <= kExportColumnCount; ++index) {
        if (checked(index))
            indices.push_back(index);
    }
    return indices;
}

}  // namespace tw::exports
