// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/lame_encode.h"

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <stdexcept>
#include <vector>

namespace tw::test {

namespace {
constexpr char kLame[] = "/usr/bin/lame";
constexpr int kSampleRate = 44100;
}  // namespace

bool lameAvailable() {
    return ::access(kLame, X_OK) == 0;
}

void encodeWithLame(const std::filesystem::path& path, double seconds, const std::string& options) {
    // Raw little-endian 16-bit PCM on lame's standard input; the path is ours (a temporary
    // folder), quoted all the same.
    const std::string command = std::string(kLame) +
                                " --quiet -r -s 44.1 --bitwidth 16 --signed --little-endian " +
                                options + " - '" + path.string() + "' 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "w");
    if (!pipe)
        throw std::runtime_error("cannot start lame");
    const auto count = static_cast<std::size_t>(seconds * kSampleRate);
    std::vector<std::int16_t> samples;
    samples.reserve(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double pitch = 220.0 + 400.0 * t;
        const auto value =
            static_cast<std::int16_t>(12000.0 * std::sin(2.0 * std::numbers::pi * pitch * t));
        samples.push_back(value);
        samples.push_back(value);
    }
    const std::size_t written =
        std::fwrite(samples.data(), sizeof samples[0], samples.size(), pipe);
    if (::pclose(pipe) != 0 || written != samples.size())
        throw std::runtime_error("lame failed: " + command);
}

}  // namespace tw::test
