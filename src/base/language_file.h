// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tw::base {

// The contents of one language file: "[section]" lines and "key=value" lines, read once into
// an immutable table. Safe to share between threads once built.
//
// Reading follows the rules of a profile (INI) reader: section and key names compare
// without regard to case; blanks around names and values are dropped; the first occurrence
// of a key in a section wins, and a section that appears twice adds its keys to the first;
// lines that are neither a section nor hold "=" are ignored. Values keep at most
// kMaxValueChars characters. Each line is taken as UTF-8 when it is valid UTF-8, else as
// windows-1252; a file that starts with a UTF-16 byte order mark is read as UTF-16. NUL
// bytes are dropped.
//
// Malformed input never fails: it just yields fewer entries. Only the first kMaxFileBytes of
// a file are read, so a huge or endless file costs bounded time and memory.
class LanguageFile {
public:
    static constexpr std::size_t kMaxValueChars = 299;
    static constexpr std::size_t kMaxNameBytes = 255;  // longer section or key names are skipped
    static constexpr std::size_t kMaxFileBytes = 4 * 1024 * 1024;

    // Reads the file; nullopt when it cannot be opened or is not a regular file.
    [[nodiscard]] static std::optional<LanguageFile> load(const std::filesystem::path& path);

    // Builds the table from the file's bytes (at most kMaxFileBytes of them are used).
    static LanguageFile parse(std::string_view bytes);

    // The raw value (escapes not yet turned into characters), or nullopt.
    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;

    std::size_t size() const { return values_.size(); }

private:
    void addLine(std::string_view line, std::string& section);
    static std::string keyOf(std::string_view section, std::string_view key);

    std::unordered_map<std::string, std::string> values_;
};

}  // namespace tw::base
