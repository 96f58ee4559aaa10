// SPDX-License-Identifier: GPL-2.0-or-later
#include "base/language_file.h"

#include <fstream>

#include "base/ascii.h"
#include "base/code_page.h"
#include "base/text.h"

namespace tw::base {

namespace {

constexpr char kKeySeparator = '\x1f';

std::string_view trimBlanks(std::string_view s) {
    auto isBlank = [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
    };
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The file's text as UTF-8 lines where possible: UTF-16 files are converted whole, a UTF-8
// byte order mark is dropped; everything else is decoded line by line later.
std::string withoutByteOrderMark(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return std::string(bytes.substr(3));
    if (bytes.starts_with("\xFF\xFE"))
        return CodePage("UTF-16LE").decode(bytes.substr(2));
    if (bytes.starts_with("\xFE\xFF"))
        return CodePage("UTF-16BE").decode(bytes.substr(2));
    return std::string(bytes);
}

}  // namespace

std::string LanguageFile::keyOf(std::string_view section, std::string_view key) {
    std::string k = asciiLower(section);
    k += kKeySeparator;
    k += asciiLower(key);
    return k;
}

void LanguageFile::addLine(std::string_view line, std::string& section) {
    line = trimBlanks(line);
    if (line.starts_with('[')) {
        std::size_t close = line.find(']');
        std::string_view name =
            trimBlanks(line.substr(1, close == std::string_view::npos ? line.npos : close - 1));
        section = name.size() <= kMaxNameBytes ? std::string(name) : std::string();
        return;
    }
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return;
    std::string_view key = trimBlanks(line.substr(0, equals));
    if (key.empty() || key.size() > kMaxNameBytes || section.empty())
        return;
    std::string_view value =
        prefixByCodePoints(trimBlanks(line.substr(equals + 1)), kMaxValueChars);
    values_.try_emplace(keyOf(section, key), value);  // the first occurrence wins
}

LanguageFile LanguageFile::parse(std::string_view bytes) {
    bool cut = bytes.size() > kMaxFileBytes;
    std::string text = withoutByteOrderMark(bytes.substr(0, kMaxFileBytes));
    if (cut) {
        // The last line may be cut in the middle; leave it out rather than read half of it.
        std::size_t lastLineEnd = text.rfind('\n');
        text.resize(lastLineEnd == std::string::npos ? 0 : lastLineEnd + 1);
    }
    std::erase(text, '\0');

    LanguageFile file;
    CodePage fallback;
    std::string section;
    std::string_view rest = text;
    while (!rest.empty()) {
        std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        file.addLine(fallback.decodeUnlessUtf8(line), section);
    }
    return file;
}

std::optional<LanguageFile> LanguageFile::load(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    // One byte more than the cap tells parse() that the file went on.
    std::string bytes(kMaxFileBytes + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return parse(bytes);
}

std::optional<std::string_view> LanguageFile::value(std::string_view section,
                                                    std::string_view key) const {
    auto it = values_.find(keyOf(section, key));
    if (it == values_.end())
        return std::nullopt;
    return std::string_view(it->second);
}

}  // namespace tw::base
