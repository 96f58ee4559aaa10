// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/playlist_name.h"

#include <algorithm>
#include <array>

#include "base/format.h"
#include "base/string_ids.h"
#include "core/audio_file.h"
#include "core/effective_value.h"
#include "core/file_list.h"
#include "rename/bounded_replace.h"
#include "rename/mask_expansion.h"
#include "rename/renaming_command.h"
#include "rename/symbol_table.h"

namespace tw::exports {

namespace {

using core::EffectiveField;
namespace ids = base::ids;

constexpr std::array<PlaylistToken, 8> kTokens = {{
    {"<artist>", ids::kLegendArtist},
    {"<album>", ids::kLegendAlbum},
    {"<year>", ids::kLegendYear},
    {"<genre>", ids::kLegendGenre},
    {"<comment>", ids::kLegendComment},
    {"<bitrate>", ids::kLegendBitrate},
    {"<play_time_all>", ids::kLegendPlayTimeAll},
    {"<number_of_tracks>", ids::kLegendNumberOfTracks},
}};

constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";
constexpr std::string_view kUpLevel = "..\\";
constexpr std::string_view kDefaultName = "playlist";
// Far beyond any path a file system takes; only values that name later tokens over and
// over come near it.
constexpr std::size_t kMaxNameLength = 64 * 1024;

void collapseSeparators(std::string& path) {
    path.erase(
        std::unique(path.begin(), path.end(), [](char a, char b) { return a == '/' && b == '/'; }),
        path.end());
}

std::string parentOf(const std::string& directory) {
    std::string_view trimmed = directory;
    if (!trimmed.empty() && trimmed.back() == '/')
        trimmed.remove_suffix(1);
    const std::size_t slash = trimmed.rfind('/');
    if (slash == std::string_view::npos)
        return directory;  // the root (or a folder without parents) stays
    return std::string(trimmed.substr(0, slash + 1));
}

bool climbs(std::string_view name) {
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = std::min(name.find('/', start), name.size());
        if (name.substr(start, end - start) == "..")
            return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

std::string playTimeAllText(std::uint64_t seconds) {
    return base::formatText("%d.%d", seconds / 60, seconds % 60);
}

PlaylistTokenValues playlistTokenValues(const core::FileList& list) {
    PlaylistTokenValues values;
    const core::AudioFile* first = list.first();
    if (!first)
        return values;
    values.severalArtists = rename::hasSeveralArtists(list);
    values.artist = core::EffectiveValue(*first, EffectiveField::Artist);
    values.album = core::EffectiveValue(*first, EffectiveField::Album);
    values.year = core::EffectiveValue(*first, EffectiveField::Year);
    values.genre = core::EffectiveValue(*first, EffectiveField::Genre);
    values.comment = core::EffectiveValue(*first, EffectiveField::Comment);
    values.bitrate = first->stream(core::StreamField::Bitrate);
    std::uint64_t total = 0;
    const std::vector<int> selected = list.selectedIndices();
    for (int index : selected)
        total += static_cast<std::uint32_t>(std::max(list.at(index).playSeconds, 0));
    values.playTimeAll = playTimeAllText(total);
    values.numberOfTracks = std::to_string(selected.size());
    return values;
}

std::span<const PlaylistToken> playlistTokens() {
    return kTokens;
}

std::vector<rename::ExampleValue> playlistExampleValues(const PlaylistTokenValues& values) {
    const std::array<const std::string*, kTokens.size()> texts = {
        &values.artist,  &values.album,   &values.year,        &values.genre,
        &values.comment, &values.bitrate, &values.playTimeAll, &values.numberOfTracks};
    std::vector<rename::ExampleValue> examples;
    for (std::size_t i = values.severalArtists ? 1 : 0; i < kTokens.size(); ++i)
        examples.push_back({kTokens[i].token, *texts[i]});
    return examples;
}

std::string ExpandPlaylistName(std::string_view mask, const PlaylistTokenValues& values,
                               PlaylistType type) {
    std::string name(mask);
    for (const rename::ExampleValue& token : playlistExampleValues(values))
        rename::replaceToken(name, token.token, rename::nameSafeValue(token.value), kMaxNameLength);
    rename::trimBoth(name, kWhiteSpace);
    if (name.empty() || name.back() == '\\')
        name += kDefaultName;
    name += playlistExtension(type);
    return name;
}

PlaylistLocation PlaylistPath(std::string_view outputDirectory, std::string_view name,
                              int allowedUpLevels, const rename::SymbolTable& table,
                              rename::CaseMode caseMode) {
    std::string directory(outputDirectory);
    if (directory.empty() || directory.back() != '/')
        directory += '/';
    std::string_view rest = name;
    for (int up = 0; up < allowedUpLevels && rest.starts_with(kUpLevel); ++up) {
        rest.remove_prefix(kUpLevel.size());
        directory = parentOf(directory);
    }
    std::string cleaned = rename::ConvertCase(rename::ApplySymbolTable(rest, table), caseMode);
    // What is left of "/" is a character a file name cannot hold, as the table would have
    // made it; "\" is the mask language's folder separator.
    std::replace(cleaned.begin(), cleaned.end(), '/', '-');
    std::replace(cleaned.begin(), cleaned.end(), '\\', '/');

    PlaylistLocation location;
    location.safe = !climbs(cleaned);
    location.path = directory + cleaned;
    collapseSeparators(location.path);
    return location;
}

int maskUpLevels(std::string_view mask) {
    const std::size_t start = mask.find_first_not_of(kWhiteSpace);
    if (start == std::string_view::npos)
        return 0;
    mask.remove_prefix(start);
    int levels = 0;
    while (mask.starts_with(kUpLevel)) {
        mask.remove_prefix(kUpLevel.size());
        ++levels;
    }
    return levels;
}

}  // namespace tw::exports
