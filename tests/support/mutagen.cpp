// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/mutagen.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "support/bytes.h"
#include "support/shell_quote.h"
#include "support/temp_dir.h"

namespace tw::test {

namespace {

constexpr const char* kPython = "/usr/bin/python3";

std::string toolPath() {
    const char* source = std::getenv("TW_SOURCE_DIR");
    return std::string(source ? source : ".") + "/tests/interop/mutagen_tool.py";
}

}  // namespace

bool mutagenAvailable() {
    return runMutagenTool({"check"}).has_value();
}

std::optional<std::string> runMutagenTool(const std::vector<std::string>& args) {
    std::string command = shellQuoted(kPython) + " " + shellQuoted(toolPath());
    for (const std::string& arg : args)
        command += " " + shellQuoted(arg);
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return std::nullopt;
    std::string out;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        out.append(buffer, n);
    const int status = ::pclose(pipe);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return out;
}

MutagenDump mutagenDump(const std::string& path, const char* command) {
    const auto out = runMutagenTool({command, path});
    if (!out)
        throw std::runtime_error("mutagen could not read " + path);
    MutagenDump dump;
    for (std::size_t start = 0; start < out->size();) {
        const std::size_t key = out->find('\0', start);
        const std::size_t value = key == std::string::npos ? key : out->find('\0', key + 1);
        if (value == std::string::npos)
            throw std::runtime_error("mutagen dump cut short for " + path);
        dump[out->substr(start, key - start)] = out->substr(key + 1, value - key - 1);
        start = value + 1;
    }
    return dump;
}

std::string md5Hex(const std::string& bytes) {
    TempDir dir;
    const std::string path = (dir / "bytes").string();
    writeBytes(path, Bytes(bytes.begin(), bytes.end()));
    const auto out = runMutagenTool({"md5", path});
    return out ? *out : std::string();
}

}  // namespace tw::test
