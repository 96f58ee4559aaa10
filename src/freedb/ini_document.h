// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tw::freedb {

// An INI file held as its list of non-empty lines and edited in place, so that everything
// the program does not touch (other sections, comments, the order of keys) stays as it was.
// Used for CDPLAYER.INI: the album sections of the CD-player store and the "CDDB" section of
// the connection settings.
//
// Rules, as the CD player itself reads the file:
//   - a section header is a line that, trimmed, starts with "[", ends with "]" and is longer
//     than two characters; section names compare trimmed and without regard to case;
//   - a key is found at the start of a line of its section ("key=" without regard to case),
//     and its value is the rest of the line after the first "=";
//   - a new key goes directly below its section's header, so a new section lists its keys in
//     the reverse order of writing; a new section goes to the end.
//
// Files are read as UTF-8 where a line is valid UTF-8 and as windows-1252 otherwise, and
// written as UTF-8; lines of any length are kept whole. Values written never break a line:
// carriage returns and line feeds in them become blanks.
//
// Every operation takes the document's lock, so one document may be used from several
// threads; a line index is only meaningful until the next change, though.
class IniDocument {
public:
    // Files larger than this are not loaded: a CD-player file holds a few hundred kilobytes.
    static constexpr std::uintmax_t kMaxFileSize = 16 * 1024 * 1024;

    IniDocument() = default;
    IniDocument(const IniDocument& other);
    IniDocument& operator=(const IniDocument& other);

    // Replaces the lines with those of the file. False (and no lines) when the file is
    // missing, unreadable or too large.
    [[nodiscard]] bool load(const std::filesystem::path& path);
    // Writes every line followed by "\n", through a temporary file renamed into place.
    bool save(const std::filesystem::path& path) const;

    // The same from and to text in memory.
    void loadText(std::string_view text);
    std::string text() const;

    std::size_t lineCount() const;
    std::string line(std::size_t index) const;

    // The line index of the section's header, or -1.
    long findSection(std::string_view name) const;
    // The header's index, appending a header "[name]" when the section is missing.
    std::size_t ensureSection(std::string_view name);
    bool isSectionHeader(std::size_t index) const;
    // The name between the brackets of the header at `index` (empty for other lines).
    std::string sectionName(std::size_t index) const;
    // Removes the header at `index` and every line up to the next header.
    void removeSection(std::size_t index);

    std::string getString(std::string_view section, std::string_view key,
                          std::string_view fallback) const;
    // The value's leading decimal number (0 when it has none); `fallback` when the key is
    // missing.
    std::int32_t getInt(std::string_view section, std::string_view key,
                        std::int32_t fallback) const;
    // Replaces the key's line, or inserts "key=value" below the section's header (creating
    // the section).
    void setString(std::string_view section, std::string_view key, std::string_view value);
    void setInt(std::string_view section, std::string_view key, std::int32_t value);

private:
    long findSectionLocked(std::string_view name) const;
    std::size_t ensureSectionLocked(std::string_view name);
    long findKeyLocked(std::size_t header, std::string_view key) const;
    bool isHeaderLocked(std::size_t index) const;

    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
    // Lower-cased trimmed header text -> index of its first line; rebuilt after changes that
    // move lines, so looking up every section of a large file stays linear.
    mutable std::unordered_map<std::string, std::size_t> sectionIndex_;
    mutable bool sectionIndexValid_ = false;
};

// The lock for an INI file on disk, shared by every document of the process that edits it.
// Whoever changes the file holds it from loading the current content to saving the new one,
// so two editors of one file never lose each other's changes.
std::unique_lock<std::mutex> LockIniFile(const std::filesystem::path& path);

}  // namespace tw::freedb
