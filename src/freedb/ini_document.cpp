// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/ini_document.h"

#include <fstream>
#include <map>
#include <memory>
#include <unordered_map>

#include "base/ascii.h"
#include "base/code_page.h"
#include "freedb/atomic_file.h"
#include "freedb/text_util.h"

namespace tw::freedb {

namespace {

// Line breaks in a value would end its line and start another, which might even read as a
// section header; other control characters (a server's NUL or escape) have no place in the
// file either.
std::string oneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line)
        if (c == '\r' || c == '\n')
            c = ' ';
    return WithoutControlCharacters(line);
}

std::string headerFor(std::string_view name) {
    return "[" + std::string(Trim(oneLine(name))) + "]";
}

std::int32_t leadingNumber(std::string_view text) {
    text = TrimLeft(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = std::min<std::int64_t>(value * 10 + (c - '0'), std::int64_t{1} << 31);
    }
    value = negative ? -value : std::min<std::int64_t>(value, INT32_MAX);
    return static_cast<std::int32_t>(value);
}

}  // namespace

IniDocument::IniDocument(const IniDocument& other) {
    std::lock_guard lock(other.mutex_);
    lines_ = other.lines_;
}

IniDocument& IniDocument::operator=(const IniDocument& other) {
    if (this == &other)
        return *this;
    std::vector<std::string> lines;
    {
        std::lock_guard lock(other.mutex_);
        lines = other.lines_;
    }
    std::lock_guard lock(mutex_);
    lines_ = std::move(lines);
    sectionIndexValid_ = false;
    return *this;
}

bool IniDocument::load(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    std::ifstream file(path, std::ios::binary);
    if (error || size > kMaxFileSize || !file) {
        loadText("");
        return false;
    }
    std::string content(static_cast<std::size_t>(size), '\0');
    file.read(content.data(), static_cast<std::streamsize>(content.size()));
    content.resize(static_cast<std::size_t>(file.gcount()));
    loadText(content);
    return true;
}

void IniDocument::loadText(std::string_view text) {
    const std::string decoded = base::decodeLinesUnlessUtf8(text, "windows-1252");
    text = decoded;
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty())
            lines.emplace_back(line);
    }
    std::lock_guard lock(mutex_);
    lines_ = std::move(lines);
    sectionIndexValid_ = false;
}

std::string IniDocument::text() const {
    std::lock_guard lock(mutex_);
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += '\n';
    }
    return text;
}

bool IniDocument::save(const std::filesystem::path& path) const {
    return WriteFileAtomically(path, text());
}

std::size_t IniDocument::lineCount() const {
    std::lock_guard lock(mutex_);
    return lines_.size();
}

std::string IniDocument::line(std::size_t index) const {
    std::lock_guard lock(mutex_);
    return index < lines_.size() ? lines_[index] : std::string();
}

bool IniDocument::isHeaderLocked(std::size_t index) const {
    if (index >= lines_.size())
        return false;
    const std::string_view line = lines_[index];
    const std::string_view left = TrimLeft(line);
    const std::string_view right = TrimRight(line);
    return !left.empty() && left.front() == '[' && right.size() > 2 && right.back() == ']';
}

bool IniDocument::isSectionHeader(std::size_t index) const {
    std::lock_guard lock(mutex_);
    return isHeaderLocked(index);
}

std::string IniDocument::sectionName(std::size_t index) const {
    std::lock_guard lock(mutex_);
    if (!isHeaderLocked(index))
        return {};
    const std::string_view header = Trim(lines_[index]);
    return std::string(header.substr(1, header.size() - 2));
}

long IniDocument::findSectionLocked(std::string_view name) const {
    if (!sectionIndexValid_) {
        sectionIndex_.clear();
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const std::string_view line = Trim(lines_[i]);
            if (line.size() >= 2 && line.front() == '[' && line.back() == ']')
                sectionIndex_.emplace(base::asciiLower(line), i);  // the first one wins
        }
        sectionIndexValid_ = true;
    }
    const auto found = sectionIndex_.find(base::asciiLower(headerFor(name)));
    return found == sectionIndex_.end() ? -1 : static_cast<long>(found->second);
}

long IniDocument::findSection(std::string_view name) const {
    std::lock_guard lock(mutex_);
    return findSectionLocked(name);
}

std::size_t IniDocument::ensureSection(std::string_view name) {
    std::lock_guard lock(mutex_);
    return ensureSectionLocked(name);
}

std::size_t IniDocument::ensureSectionLocked(std::string_view name) {
    const long found = findSectionLocked(name);
    if (found >= 0)
        return static_cast<std::size_t>(found);
    lines_.push_back(headerFor(name));
    sectionIndexValid_ = false;
    return lines_.size() - 1;
}

void IniDocument::removeSection(std::size_t index) {
    std::lock_guard lock(mutex_);
    if (index >= lines_.size())
        return;
    std::size_t end = index + 1;
    while (end < lines_.size() && !isHeaderLocked(end))
        ++end;
    lines_.erase(lines_.begin() + static_cast<long>(index),
                 lines_.begin() + static_cast<long>(end));
    sectionIndexValid_ = false;
}

long IniDocument::findKeyLocked(std::size_t header, std::string_view key) const {
    const std::string prefix = std::string(key) + "=";
    for (std::size_t i = header + 1; i < lines_.size() && !isHeaderLocked(i); ++i)
        if (base::equalsNoCase(std::string_view(lines_[i]).substr(0, prefix.size()), prefix))
            return static_cast<long>(i);
    return -1;
}

std::string IniDocument::getString(std::string_view section, std::string_view key,
                                   std::string_view fallback) const {
    std::lock_guard lock(mutex_);
    const long header = findSectionLocked(section);
    if (header < 0)
        return std::string(fallback);
    const long line = findKeyLocked(static_cast<std::size_t>(header), key);
    if (line < 0)
        return std::string(fallback);
    return lines_[static_cast<std::size_t>(line)].substr(key.size() + 1);
}

std::int32_t IniDocument::getInt(std::string_view section, std::string_view key,
                                 std::int32_t fallback) const {
    std::lock_guard lock(mutex_);
    const long header = findSectionLocked(section);
    if (header < 0)
        return fallback;
    const long line = findKeyLocked(static_cast<std::size_t>(header), key);
    if (line < 0)
        return fallback;
    return leadingNumber(
        std::string_view(lines_[static_cast<std::size_t>(line)]).substr(key.size() + 1));
}

void IniDocument::setString(std::string_view section, std::string_view key,
                            std::string_view value) {
    std::lock_guard lock(mutex_);
    const std::size_t header = ensureSectionLocked(section);
    std::string line = oneLine(key) + "=" + oneLine(value);
    const long found = findKeyLocked(header, key);
    if (found >= 0) {
        lines_[static_cast<std::size_t>(found)] = std::move(line);
    } else {
        lines_.insert(lines_.begin() + static_cast<long>(header) + 1, std::move(line));
        sectionIndexValid_ = false;
    }
}

void IniDocument::setInt(std::string_view section, std::string_view key, std::int32_t value) {
    setString(section, key, std::to_string(value));
}

std::unique_lock<std::mutex> LockIniFile(const std::filesystem::path& path) {
    static std::mutex registryMutex;
    static std::map<std::string, std::unique_ptr<std::mutex>> locks;
    std::error_code error;
    std::filesystem::path key = std::filesystem::weakly_canonical(path, error);
    if (error)
        key = std::filesystem::absolute(path, error);
    std::mutex* fileMutex = nullptr;
    {
        std::lock_guard guard(registryMutex);
        auto& slot = locks[key.string()];
        if (!slot)
            slot = std::make_unique<std::mutex>();
        fileMutex = slot.get();
    }
    return std::unique_lock(*fileMutex);
}

}  // namespace tw::freedb
