// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/playlist_entries.h"

#include <algorithm>
#include <string>

#include "core/audio_file.h"
#include "core/effective_value.h"
#include "export/relative_path.h"
#include "export/text_sink.h"

namespace tw::exports {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string oneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return text;
}

void writeLine(TextSink& sink, std::string_view key, int number, const std::string& value) {
    sink.write(key);
    sink.write(std::to_string(number));
    sink.write("=");
    sink.write(oneLine(value));
    sink.write(kLineEnd);
}

std::string seconds(const core::AudioFile& file) {
    return std::to_string(static_cast<std::uint32_t>(std::max(file.playSeconds, 0)));
}

}  // namespace

void WritePlaylistHead(TextSink& sink, PlaylistType type, int entryCount) {
    if (type == PlaylistType::M3uExtended) {
        sink.write("#EXTM3U\r\n");
    } else if (type == PlaylistType::Pls && entryCount > 0) {
        sink.write("[Playlist]\r\nNumberOfEntries=");
        sink.write(std::to_string(entryCount));
        sink.write("\r\nVersion=2\r\n");
    }
}

void WritePlaylistEntry(TextSink& sink, const core::AudioFile& file, PlaylistType type,
                        std::string_view playlistPath, int number) {
    const std::string artist = core::EffectiveValue(file, core::EffectiveField::Artist);
    const std::string title = core::EffectiveValue(file, core::EffectiveField::Title);
    const std::string path = MakeRelativePath(file, playlistPath);
    if (type == PlaylistType::Pls) {
        writeLine(sink, "File", number, path);
        if (!artist.empty())
            writeLine(sink, "Title", number, artist + " - " + title);
        else if (!title.empty())
            writeLine(sink, "Title", number, title);
        writeLine(sink, "Length", number, seconds(file));
        return;
    }
    if (type == PlaylistType::M3uExtended) {
        sink.write("#EXTINF:");
        sink.write(std::to_string(file.playSeconds));
        sink.write(",");
        sink.write(oneLine(artist.empty() ? title : artist + " - " + title));
        sink.write(kLineEnd);
    }
    // Players read every M3U line that starts with "#" as a comment or a directive.
    if (path.starts_with('#'))
        sink.write("./");
    sink.write(oneLine(path));
    sink.write(kLineEnd);
}

}  // namespace tw::exports
