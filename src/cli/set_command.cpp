// SPDX-License-Identifier: GPL-2.0-or-later
// set FILE...: edits tag fields of files and saves them.

#include <array>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>

#include "cli/commands.h"
#include "cli/file_records.h"
#include "cli/genre_option.h"
#include "cli/int_option.h"
#include "core/formats/format_tags.h"
#include "core/tag_save.h"
#include "core/text_genre.h"

namespace tw::cli {

namespace {

struct TextEdit {
    std::string_view option;
    void (core::TagFields::*setter)(std::string_view);
};

struct V2TextEdit {
    std::string_view option;
    void (core::TagV2Fields::*setter)(std::string_view);
};

constexpr std::array kCommonEdits = {
    TextEdit{"title", &core::TagFields::setTitle},
    TextEdit{"artist", &core::TagFields::setArtist},
    TextEdit{"album", &core::TagFields::setAlbum},
    TextEdit{"comment", &core::TagFields::setComment},
    TextEdit{"year", &core::TagFields::setYearText},
    TextEdit{"track", &core::TagFields::setTrackText},
};

constexpr std::array kV2Edits = {
    V2TextEdit{"url", &core::TagV2Fields::setUrl},
    V2TextEdit{"publisher", &core::TagV2Fields::setPublisher},
    V2TextEdit{"orig-artist", &core::TagV2Fields::setOrigArtist},
    V2TextEdit{"copyright", &core::TagV2Fields::setCopyright},
    V2TextEdit{"composer", &core::TagV2Fields::setComposer},
    V2TextEdit{"encoded-by", &core::TagV2Fields::setEncodedBy},
};

constexpr std::array kOptions = {
    OptionSpec{"v1"},
    OptionSpec{"v2"},
    OptionSpec{"both"},
    OptionSpec{"title", true},
    OptionSpec{"artist", true},
    OptionSpec{"album", true},
    OptionSpec{"comment", true},
    OptionSpec{"year", true},
    OptionSpec{"track", true},
    OptionSpec{"genre", true},
    OptionSpec{"url", true},
    OptionSpec{"publisher", true},
    OptionSpec{"orig-artist", true},
    OptionSpec{"copyright", true},
    OptionSpec{"composer", true},
    OptionSpec{"encoded-by", true},
    OptionSpec{"lyrics-file", true},
};

// Lyrics files larger than this are refused rather than read into memory.
constexpr std::uintmax_t kMaxLyricsBytes = 1 << 20;

std::optional<std::string> readLyrics(const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    std::ifstream in(path, std::ios::binary);
    if (error || size > kMaxLyricsBytes || !in)
        return std::nullopt;
    std::string text(static_cast<std::size_t>(size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(size));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

// The largest track number an ID3v1 tag holds (one byte).
constexpr int kMaxV1Track = 255;
constexpr int kMaxYear = 9999;  // what ID3v1 and TYER hold: four digits

bool isTrack(std::string_view text, int maxTrack) {
    const std::size_t slash = text.find('/');
    return wholeNumber(text.substr(0, slash), 1, maxTrack) &&
           (slash == std::string_view::npos ||
            wholeNumber(text.substr(slash + 1), 1, std::numeric_limits<int>::max()));
}

// Why a --year or --track value cannot be set, if it cannot. The fields would store such a
// value as none and so erase what the file holds; an empty value is how a field is removed.
std::optional<std::string> valueProblem(const Args& args, bool v1) {
    const std::string* year = args.value("year");
    if (year && !year->empty() && !wholeNumber(*year, 1, kMaxYear))
        return "--year takes a year from 1 to " + std::to_string(kMaxYear) +
               ", or nothing to remove it";
    const std::string* track = args.value("track");
    if (track && !track->empty() &&
        !isTrack(*track, v1 ? kMaxV1Track : std::numeric_limits<int>::max()))
        return std::string("--track takes N or N/M, whole numbers from 1") +
               (v1 ? " (N at most 255 in ID3v1)" : "") + ", or nothing to remove it";
    return std::nullopt;
}

// Whether there are files and every one takes any text as its genre, as MP3 files do not.
bool allHoldTextGenres(core::FileList& list) {
    bool all = list.size() > 0;
    list.forEachSelected(
        [&](const core::AudioFile& file) { all = all && core::holdsTextGenre(file.format); });
    return all;
}

// The edits of one command line, checked before any file is touched.
struct Edits {
    bool v1 = false;
    bool v2 = false;
    std::optional<std::int32_t> genre;
    // A --genre that names no genre of the table, which only tags holding genres as text take.
    const std::string* freeGenre = nullptr;
    std::optional<std::string> lyrics;
    const Args* args = nullptr;

    void applyCommon(core::TagFields& tag) const {
        // Setting a field creates the tag when the file has none.
        if (!tag.present)
            tag.makePresent();
        for (const TextEdit& edit : kCommonEdits)
            if (const std::string* value = args->value(edit.option))
                (tag.*edit.setter)(*value);
        if (genre)
            tag.setGenre(*genre);
    }

    void apply(core::AudioFile& file) const {
        if (v1)
            applyCommon(file.id3v1);
        if (v2) {
            applyCommon(file.id3v2);
            if (freeGenre)
                core::setTextGenre(file.id3v2, *freeGenre);
            for (const V2TextEdit& edit : kV2Edits)
                if (const std::string* value = args->value(edit.option))
                    (file.id3v2.*edit.setter)(*value);
        }
        if (lyrics && (*lyrics != file.lyrics.text || !file.lyrics.present)) {
            file.lyrics.text = *lyrics;
            file.lyrics.changed = file.lyrics.present = true;
        }
    }
};

int run(CommandContext& context, const Args& args) {
    Edits edits;
    edits.args = &args;
    const bool both = args.has("both") || (!args.has("v1") && !args.has("v2"));
    edits.v1 = both || args.has("v1");
    edits.v2 = both || args.has("v2");
    if (args.positional().empty())
        return usageProblem(context, "give at least one file");

    if (const auto problem = valueProblem(args, edits.v1))
        return usageProblem(context, *problem);

    bool anyEdit = false;
    for (const TextEdit& edit : kCommonEdits)
        anyEdit |= args.has(edit.option);
    for (const V2TextEdit& edit : kV2Edits) {
        if (!args.has(edit.option))
            continue;
        if (!edits.v2)
            return usageProblem(context, "--" + std::string(edit.option) + " is an ID3v2 field");
        anyEdit = true;
    }
    if (const std::string* genre = args.value("genre")) {
        edits.genre = genreNumber(*genre);
        if (!edits.genre)
            edits.freeGenre = genre;
        anyEdit = true;
    }
    if (const std::string* path = args.value("lyrics-file")) {
        edits.lyrics = readLyrics(*path);
        if (!edits.lyrics) {
            context.port.showMessage(base::UserPort::Severity::Error,
                                     "cannot read the lyrics file " + *path);
            return kExitFailed;
        }
        anyEdit = true;
    }
    if (!anyEdit)
        return usageProblem(context, "give at least one field to set");

    core::FileList list;
    const bool allRead = readFiles(args.positional(), list, context.port);
    if (edits.freeGenre && !allHoldTextGenres(list))
        return usageProblem(context, "unknown genre " + *edits.freeGenre);
    list.forEachSelected([&](core::AudioFile& file) { edits.apply(file); });
    const bool allSaved = core::saveAll(list, context.port).empty();
    return allRead && allSaved ? kExitOk : kExitFailed;
}

}  // namespace

const Command kSetCommand{
    .name = "set",
    .synopsis =
        "set [--v1|--v2|--both] FIELD... FILE...\n"
        "      FIELD: --title T  --artist A  --album A  --comment C  --year Y\n"
        "             --track N[/M]  --genre NAME|NUMBER  --lyrics-file F\n"
        "      --genre takes any text for FLAC, Ogg, Opus and MP4 files.\n"
        "      ID3v2 only: --url U  --publisher P  --orig-artist A  --copyright C\n"
        "             --composer C  --encoded-by E\n"
        "      An empty value removes the field.",
    .summary = "set tag fields (of both tags unless --v1 or --v2) and save the files",
    .options = kOptions,
    .run = run,
};

}  // namespace tw::cli
