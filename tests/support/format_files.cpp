// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/format_files.h"

#include <cstdlib>
#include <map>
#include <memory>
#include <string_view>

#include "support/temp_dir.h"

namespace tw::test {

namespace {

std::string scriptPath() {
    const char* source = std::getenv("TW_SOURCE_DIR");
    return std::string(source ? source : ".") + "/tests/support/make_format_file.py";
}

// The made files by kind and tagging; a failed make is remembered as an empty path.
std::optional<std::filesystem::path> madeFile(const std::string& kind, bool tagged) {
    static const auto folder = std::make_unique<TempDir>();
    static std::map<std::string, std::filesystem::path> made;
    const std::string key = kind + (tagged ? "-tagged" : "");
    if (const auto found = made.find(key); found != made.end())
        return found->second.empty() ? std::nullopt : std::optional(found->second);
    const std::filesystem::path path = *folder / key;
    // The names are ours (a kind and a temporary folder without quotes).
    constexpr std::string_view kMoovFirst = "-moov-first";
    const bool moovFirst = kind.ends_with(kMoovFirst);
    const std::string command = "/usr/bin/python3 '" + scriptPath() + "' " +
                                kind.substr(0, kind.size() - (moovFirst ? kMoovFirst.size() : 0)) +
                                " '" + path.string() + "' 3.7" + (tagged ? " --tags" : "") +
                                (moovFirst ? " --moov-first" : "");
    const bool ok = std::system(command.c_str()) == 0;
    made[key] = ok ? path : std::filesystem::path();
    return ok ? std::optional(path) : std::nullopt;
}

}  // namespace

bool copyFormatFile(const std::string& kind, bool tagged, const std::filesystem::path& target) {
    const auto source = madeFile(kind, tagged);
    if (!source)
        return false;
    std::filesystem::copy_file(*source, target, std::filesystem::copy_options::overwrite_existing);
    return true;
}

}  // namespace tw::test
