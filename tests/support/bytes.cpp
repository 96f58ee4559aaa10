// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/bytes.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tw::test {

Bytes bytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

void append(Bytes& out, const Bytes& more) {
    out.insert(out.end(), more.begin(), more.end());
}

void append(Bytes& out, std::string_view more) {
    out.insert(out.end(), more.begin(), more.end());
}

void appendBigEndian(Bytes& out, std::uint32_t value, int byteCount) {
    for (int shift = 8 * (byteCount - 1); shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

Bytes join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts)
        append(out, part);
    return out;
}

void writeBytes(const std::filesystem::path& path, const Bytes& data) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data.data()),
               static_cast<std::streamsize>(data.size()));
    if (!file)
        throw std::runtime_error("cannot write " + path.string());
}

Bytes readBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot read " + path.string());
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace tw::test
