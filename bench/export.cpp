// SPDX-License-Identifier: GPL-2.0-or-later
// The playlist and export writers over records held in memory: HTML and RTF list layouts,
// an HTML and an RTF template, extended M3U and PLS playlists. Prints the wall time of each
// written file and how much the peak memory grew while writing it, so a writer that holds
// its output in memory shows.
//
//   export [--records N] [--repeat N] [--huge-template MB]
//
// Each time is the fastest of the repeats and includes writing, flushing and renaming the
// file into place. --huge-template also exports through a template of that many MB (mostly
// head text), which must be read into memory once.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "base/memory_settings_store.h"
#include "bench_support.h"
#include "core/audio_file.h"
#include "core/file_list.h"
#include "export/export_columns.h"
#include "export/list_export.h"
#include "export/playlist_command.h"
#include "export/template_export.h"

namespace {

namespace fs = std::filesystem;
using tw::core::AudioFile;
namespace ex = tw::exports;

// Answers "overwrite" to every question and shows nothing.
class QuietPort final : public tw::bench::SilentPort {
public:
    Answer askYesNo(std::string_view) override { return Answer::Yes; }
    Answer askYesNoCancel(std::string_view) override { return Answer::Yes; }
    OverwriteChoice askOverwrite(std::string_view) override { return OverwriteChoice::Overwrite; }
    void showMessage(Severity, std::string_view text) override {
        std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
    }
};

void fill(tw::core::FileList& list, int count, const std::string& folder) {
    static const char* const kArtists[] = {"The Band", "\xC3\x89lan Vital", "AC/DC",
                                           "Sigur R\xC3\xB3s", ""};
    for (int i = 0; i < count; ++i) {
        auto file = std::make_unique<AudioFile>();
        const std::string n = std::to_string(i);
        file->fileName = std::to_string(i % 12 + 1) + " - Song " + n + ".mp3";
        file->path = folder + "CD" + std::to_string(i / 100) + "/" + file->fileName;
        file->id3v2.artist = kArtists[i % 5];
        file->id3v2.title = "Song number " + n + " (live)";
        file->id3v1.album = "Album " + std::to_string(i / 12);
        file->id3v1.yearText = std::to_string(1960 + i % 60);
        file->id3v1.track = i % 12 + 1;
        file->id3v1.genre = i % 80;
        file->id3v2.comment = i % 3 ? "" : "a comment";
        file->id3v2.url = i % 7 ? "" : "http://example.org/" + n;
        file->createdText = "01/02/2003, 04:05.06";
        file->changedText = "02/03/2004, 05:06.07";
        file->size = 4000000 + static_cast<std::uint64_t>(i);
        file->playSeconds = 180 + i % 120;
        file->streamText[static_cast<std::size_t>(tw::core::StreamField::Length)] = "03:25";
        file->streamText[static_cast<std::size_t>(tw::core::StreamField::Bitrate)] = "192 kbps";
        file->streamText[static_cast<std::size_t>(tw::core::StreamField::Mode)] = "Joint Stereo";
        list.add(std::move(file));
    }
    list.selectAll();
}

void measure(const char* what, int repeat, const std::function<std::string()>& write) {
    double best = 1e30;
    std::string path;
    const long before = tw::bench::peakKilobytes();
    for (int r = 0; r < repeat; ++r) {
        const auto start = std::chrono::steady_clock::now();
        path = write();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    std::error_code ec;
    const auto size = path.empty() ? 0 : fs::file_size(path, ec);
    std::printf("%-26s %8.3f s %10ju bytes, peak memory +%ld KiB\n", what, best,
                static_cast<std::uintmax_t>(size), tw::bench::peakKilobytes() - before);
}

std::string templateFile(const fs::path& folder, const std::string& name, const std::string& text) {
    std::ofstream(folder / name, std::ios::binary) << text;
    return (folder / name).string();
}

}  // namespace

int main(int argc, char** argv) {
    int count = 10000;
    int repeat = 3;
    long hugeMegabytes = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--records") == 0)
            count = std::max(1, std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--repeat") == 0)
            repeat = std::max(1, std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--huge-template") == 0)
            hugeMegabytes = std::max(0L, std::atol(argv[i + 1]));
    }
    const fs::path folder =
        fs::temp_directory_path() / ("tw-export-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string out = folder.string() + "/";

    tw::core::FileList list;
    fill(list, count, out);
    QuietPort port;
    std::printf("records %d, peak memory before writing %ld KiB\n", count,
                tw::bench::peakKilobytes());

    ex::ExportColumnFlags flags;
    flags.checkAll();
    const ex::ListExportRequest listRequest{out, "list", flags.columns()};
    measure("HTML list (20 columns)", repeat,
            [&] { return ex::ExportHtml(list, listRequest, port).value_or(""); });
    measure("RTF list (20 columns)", repeat,
            [&] { return ex::ExportRtf(list, listRequest, port).value_or(""); });

    const std::string row =
        "<td><number></td><td><title></td><td><artist></td><td><album></td><td><year></td>"
        "<td><genre></td><td><play_time></td><td><bitrate></td><td><felename></td></tr>\n";
    const ex::TemplateExportRequest html{
        "bench.html",
        templateFile(folder, "bench.html",
                     "<table>\n<!--<tunewright_record>--><tr class=odd>" + row +
                         "<!--</tunewright_record>--><!--<tunewright_record2>--><tr class=even>" +
                         row + "<!--</tunewright_record>--></table>\n"),
        out, "template"};
    measure("HTML template (2 records)", repeat,
            [&] { return ex::ExportTemplateHtml(list, html, port).value_or(""); });
    const ex::TemplateExportRequest rtf{
        "bench.rtf",
        templateFile(folder, "bench.rtf",
                     "{\\rtf1 <!--<tunewright_record>-->{\\b <number>}\\tab <title>\\tab "
                     "<artist> \\endash  <album> (<year>)\\tab <play_time>\\par\n"
                     "<!--</tunewright_record>-->}"),
        out, "template"};
    measure("RTF template", repeat,
            [&] { return ex::ExportTemplateRtf(list, rtf, port).value_or(""); });

    tw::base::MemorySettingsStore store;
    for (ex::PlaylistType type : {ex::PlaylistType::M3uExtended, ex::PlaylistType::Pls}) {
        measure(type == ex::PlaylistType::Pls ? "PLS playlist" : "extended M3U playlist", repeat,
                [&] {
                    ex::PlaylistCommand command(list, store, out + "lists/");
                    command.setType(type);
                    command.maskList().setCurrentMask("<number_of_tracks> tracks");
                    return command.CreatePlaylist(port).path;
                });
    }

    if (hugeMegabytes > 0) {
        tw::core::FileList few;
        fill(few, 10, out);
        // Written in pieces, so the template is in memory only once the export reads it.
        const fs::path hugePath = folder / "huge.html";
        {
            std::ofstream file(hugePath, std::ios::binary);
            const std::string megabyte(1024 * 1024, 'h');
            for (long i = 0; i < hugeMegabytes; ++i)
                file << megabyte;
            file << "<!--<tunewright_record>--><title>\n<!--</tunewright_record>-->";
        }
        const ex::TemplateExportRequest huge{"huge.html", hugePath, out, "huge"};
        measure("huge HTML template", 1,
                [&] { return ex::ExportTemplateHtml(few, huge, port).value_or(""); });
    }
    fs::remove_all(folder);
    return 0;
}
