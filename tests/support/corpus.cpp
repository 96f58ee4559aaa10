// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/corpus.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/shell_quote.h"

namespace tw::test {

namespace {

// The project's own corpus maker; TW_MAKE_CORPUS may name another one.
std::optional<std::string> script() {
    std::vector<std::string> candidates;
    if (const char* named = std::getenv("TW_MAKE_CORPUS"))
        candidates.emplace_back(named);
    if (const char* source = std::getenv("TW_SOURCE_DIR"))
        candidates.push_back(std::string(source) + "/scripts/make-corpus");
    for (const std::string& candidate : candidates)
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    return std::nullopt;
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, '\t');)
        out.push_back(field);
    return out;
}

}  // namespace

std::optional<std::vector<CorpusFile>> addCorpusFiles(const std::filesystem::path& folder,
                                                      int count) {
    const auto make = script();
    if (!make || ::access("/usr/bin/sox", X_OK) != 0 || ::access("/usr/bin/lame", X_OK) != 0)
        return std::nullopt;
    const std::string manifest = folder.string() + ".manifest.tsv";
    const std::string cache =
        (std::filesystem::temp_directory_path() / ("tw-corpus-cache-" + std::to_string(::getuid())))
            .string();
    const std::string command = shellQuoted(*make) + " " + shellQuoted(folder.string()) + " " +
                                std::to_string(count) + " --manifest " + shellQuoted(manifest) +
                                " --keep-cache " + shellQuoted(cache) + " >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        return std::nullopt;

    std::ifstream in(manifest);
    std::string line;
    std::getline(in, line);
    const std::vector<std::string> header = fields(line);
    auto column = [&](const std::string& name) {
        for (std::size_t i = 0; i < header.size(); ++i)
            if (header[i] == name)
                return i;
        return header.size();
    };
    const std::size_t file = column("file");
    const std::size_t picture = column("v2_apic_bytes");
    std::vector<CorpusFile> files;
    while (std::getline(in, line)) {
        const std::vector<std::string> row = fields(line);
        if (row.size() < header.size())
            continue;
        CorpusFile entry;
        entry.index = std::atoi(row[0].c_str());
        entry.name = row[file];
        entry.tagKind = entry.index % 7;
        entry.pictureBytes = std::strtoull(row[picture].c_str(), nullptr, 10);
        files.push_back(std::move(entry));
    }
    std::filesystem::remove(manifest);
    std::filesystem::remove(folder.string() + ".meta.json");
    return files;
}

}  // namespace tw::test
