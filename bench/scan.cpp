// Reads every *.mp3 of a folder into full records (stream facts, both tags, lyrics), the
// way the folder scan does, and prints files per second and peak memory.
//
//   scan DIR [--repeat N] [--dump]
//
// --repeat reads the folder N times and reports the fastest pass; --dump prints one
// tab-separated line per record instead (for checking against a corpus manifest).

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/audio_file.h"
#include "core/genre_table.h"
#include "core/mpeg_info.h"

namespace {

using tw::core::AudioFile;
using tw::core::StreamField;

std::vector<std::string> mp3Files(const std::string& folder) {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.size() >= 4 && name.compare(name.size() - 4, 4, ".mp3") == 0)
            paths.push_back(entry.path().string());
    }
    return paths;
}

// Tabs, line breaks and backslashes escaped, as in the corpus manifest.
std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\0':
                out += "\\0";
                break;
            default:
                out += c;
        }
    }
    return out;
}

void dump(const AudioFile& r) {
    const auto flag = [](bool b) { return b ? "1" : "0"; };
    std::vector<std::string> columns = {r.fileName,
                                        std::to_string(r.size),
                                        std::to_string(r.playSeconds),
                                        r.stream(StreamField::Version),
                                        r.stream(StreamField::Bitrate),
                                        r.stream(StreamField::Frequency),
                                        r.stream(StreamField::Mode),
                                        r.stream(StreamField::Crc),
                                        r.stream(StreamField::HeaderPosition),
                                        r.stream(StreamField::Frames),
                                        flag(r.id3v1.inFile),
                                        r.id3v1.title,
                                        r.id3v1.artist,
                                        r.id3v1.album,
                                        r.id3v1.yearText,
                                        r.id3v1.comment,
                                        std::to_string(r.id3v1.track),
                                        std::to_string(r.id3v1.genre),
                                        flag(r.id3v2.inFile),
                                        r.id3v2.title,
                                        r.id3v2.artist,
                                        r.id3v2.album,
                                        r.id3v2.yearText,
                                        std::to_string(r.id3v2.track),
                                        std::to_string(r.id3v2.trackTotal),
                                        std::to_string(r.id3v2.genre),
                                        tw::core::genreName(r.id3v2.genre),
                                        r.id3v2.comment,
                                        flag(r.lyrics.inFile),
                                        r.lyrics.text,
                                        r.changedText};
    std::string line;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i)
            line += '\t';
        line += escaped(columns[i]);
    }
    std::puts(line.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: scan DIR [--repeat N] [--dump]\n");
        return 2;
    }
    std::string folder = argv[1];
    int repeat = 1;
    bool dumpRecords = false;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc)
            repeat = std::max(1, std::atoi(argv[++i]));
        if (std::strcmp(argv[i], "--dump") == 0)
            dumpRecords = true;
    }
    if (folder.back() != '/')
        folder += '/';

    const std::vector<std::string> paths = mp3Files(folder);
    double best = 0;
    tw::core::MpegInfo mpeg;
    for (int pass = 0; pass < repeat; ++pass) {
        std::vector<std::unique_ptr<AudioFile>> records;
        records.reserve(paths.size());
        const auto start = std::chrono::steady_clock::now();
        for (const std::string& path : paths)
            records.push_back(AudioFile::create(path, folder.size(), mpeg));
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = pass == 0 ? took.count() : std::min(best, took.count());
        if (dumpRecords && pass == 0)
            for (const auto& record : records)
                dump(*record);
    }

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    if (!dumpRecords) {
        std::printf("files: %zu\n", paths.size());
        std::printf("seconds: %.4f\n", best);
        std::printf("files_per_second: %.0f\n",
                    best > 0 ? static_cast<double>(paths.size()) / best : 0.0);
        std::printf("peak_rss_mb: %.1f\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    }
    return 0;
}
