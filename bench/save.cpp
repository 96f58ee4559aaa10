// SPDX-License-Identifier: GPL-2.0-or-later
// A batch edit as Save Changes makes it: every *.mp3 of a folder is read into the file list,
// its ID3v2 album set (or, with --comment-bytes, a comment of that many bytes, which makes
// tags without room grow), and all files saved in one batch. Prints files per second, the bytes
// the process handed to write calls while saving (/proc/self/io), the size of the files'
// ID3v2 tags before the edit, and peak memory.
//
//   save DIR [--album TEXT | --comment-bytes N] [--flush adaptive|filesystem|each-file]
//
// The folder is changed: give it a fresh copy for every run (bench/run-save.sh does).

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "bench_support.h"
#include "core/app_options.h"
#include "core/file_list.h"
#include "core/id3v2_header.h"
#include "core/list_session.h"
#include "core/tag_save.h"

namespace {

// A counter of /proc/self/io ("wchar", "write_bytes").
long long ioCounter(const char* name) {
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value)
        if (key.size() == std::strlen(name) + 1 && key.starts_with(name))
            return value;
    return -1;
}

// The summed size of the ID3v2 tags of the list's files, as their headers declare it.
std::uint64_t tagBytes(const tw::core::FileList& list) {
    std::uint64_t total = 0;
    for (int i = 0; i < list.size(); ++i) {
        std::ifstream file(list.at(i).path, std::ios::binary);
        std::uint8_t header[tw::core::Id3v2Header::kSize] = {};
        file.read(reinterpret_cast<char*>(header), sizeof header);
        if (const auto parsed = tw::core::Id3v2Header::parse(header))
            total += parsed->tagSize();
    }
    return total;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: save DIR [--album TEXT | --comment-bytes N] "
                     "[--flush adaptive|filesystem|each-file]\n");
        return 2;
    }
    const std::string folder = argv[1];
    std::string album = "Bench album";
    std::string comment;
    tw::core::SaveOptions options;
    for (int i = 2; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--album") == 0)
            album = argv[i + 1];
        else if (std::strcmp(argv[i], "--comment-bytes") == 0)
            comment.assign(std::strtoul(argv[i + 1], nullptr, 10), 'c');
        else if (std::strcmp(argv[i], "--flush") == 0)
            options.flush =
                std::strcmp(argv[i + 1], "each-file") == 0    ? tw::core::FlushMode::EachFile
                : std::strcmp(argv[i + 1], "filesystem") == 0 ? tw::core::FlushMode::FileSystem
                                                              : tw::core::FlushMode::Adaptive;
    }

    tw::core::FileList list;
    tw::bench::SilentPort port;
    tw::core::ListSession session(list, tw::core::options(), port);
    // The tags' size is taken from a first scan, outside the timed run.
    if (!session.scanFolder(folder, false)) {
        std::fprintf(stderr, "save: cannot read %s\n", folder.c_str());
        return 1;
    }
    const std::uint64_t tags = tagBytes(list);
    list.clear();

    const long long writtenBefore = ioCounter("wchar");
    const auto start = std::chrono::steady_clock::now();
    if (!session.scanFolder(folder, false)) {
        std::fprintf(stderr, "save: cannot read %s\n", folder.c_str());
        return 1;
    }
    for (int i = 0; i < list.size(); ++i) {
        tw::core::TagV2Fields& tag = list.at(i).id3v2;
        tag.makePresent();
        if (comment.empty())
            tag.setAlbum(album);
        else
            tag.setComment(comment);
    }
    const auto failed = tw::core::saveAll(list, port, options);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    const long long written = ioCounter("wchar") - writtenBefore;

    const int files = list.size();
    std::printf("files: %d\n", files);
    std::printf("failed: %zu\n", failed.size());
    std::printf("seconds: %.4f\n", took.count());
    std::printf("files_per_second: %.0f\n", took.count() > 0 ? files / took.count() : 0.0);
    std::printf("tag_bytes: %llu\n", static_cast<unsigned long long>(tags));
    std::printf("bytes_written: %lld\n", written);
    std::printf("written_per_tag_byte: %.2f\n",
                tags > 0 ? static_cast<double>(written) / static_cast<double>(tags) : 0.0);
    std::printf("peak_rss_mb: %.1f\n", static_cast<double>(tw::bench::peakKilobytes()) / 1024.0);
    return failed.empty() ? 0 : 1;
}
