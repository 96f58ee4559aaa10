// SPDX-License-Identifier: GPL-2.0-or-later
#include "base/language.h"

#include <memory>
#include <mutex>
#include <optional>

#include "base/app_paths.h"
#include "base/ascii.h"
#include "base/language_file.h"
#include "base/string_table.h"
#include "base/text.h"

namespace tw::base {

namespace {

namespace fs = std::filesystem;

constexpr const char* kBuiltinAuthor = "Brindlewood";

struct ActiveLanguage {
    std::string name;
    fs::path path;
    std::shared_ptr<const LanguageFile> file;
};

std::mutex& languageMutex() {
    static std::mutex m;
    return m;
}

ActiveLanguage& active() {
    static ActiveLanguage language;
    return language;
}

std::shared_ptr<const LanguageFile> activeFile() {
    std::lock_guard lock(languageMutex());
    return active().file;
}

std::optional<std::string> valueOf(const LanguageFile& file, std::string_view section,
                                   std::string_view key) {
    std::optional<std::string_view> value = file.value(section, key);
    if (!value || codePointCount(*value) < 2)
        return std::nullopt;
    return Unescape(*value);
}

// The built-in text cut before its first escaped "\n" (backslash, n), else before its first
// line feed.
std::string_view firstLine(std::string_view text) {
    std::size_t cut = text.find("\\n");
    if (cut == std::string_view::npos)
        cut = text.find('\n');
    return text.substr(0, cut);
}

struct IdRange {
    int first;
    int last;
    std::string_view section;
};

constexpr IdRange kSectionRanges[] = {
    {57346, 57347, "DlgSelectDir"},
    {57348, 57350, "StatusBarIndicators"},
    {57361, 57363, "DlgAbout"},
    {57367, 57388, "TabFileList"},
    {57671, 57678, "MenusHeads"},
    {57679, 57682, "TabNames"},
    {57688, 57690, "DlgInformation"},
    {57691, 57699, "DlgChangeCase"},
    {57700, 57704, "DlgMessageBoxes"},
    {57705, 57711, "Buttons"},
    {57714, 57714, "DlgAdvRename"},
    {57716, 57716, "DlgAdvRename"},
    {57717, 57721, "DlgPlayList"},
    {57723, 57726, "DlgPlayList"},
    {57727, 57729, "DlgProgress"},
    {57730, 57732, "DlgAdvRename"},
    {61209, 61210, "DlgFilenameSettings"},
    {61211, 61220, "DlgExport"},
    {61221, 61225, "DlgMessage"},
    {61226, 61226, "DlgInformation"},
    {61227, 61232, "DlgFilenameToTag"},
};

}  // namespace

fs::path languageFilePath(std::string_view name) {
    if (name.empty() || name.find('/') != std::string_view::npos ||
        name.find('\0') != std::string_view::npos)
        return {};
    std::string fileName = std::string(name) + ".lng";
    std::error_code ec;
    for (const fs::path& data : dataFolders()) {
        fs::path exact = data / "Lng" / fileName;
        if (fs::is_regular_file(exact, ec))
            return exact;
    }
    // Files copied from systems that ignore letter case may differ from the stored name in it.
    for (const fs::path& data : dataFolders()) {
        for (auto it = fs::directory_iterator(data / "Lng", ec);
             !ec && it != fs::directory_iterator(); it.increment(ec)) {
            if (equalsNoCase(it->path().filename().string(), fileName) && it->is_regular_file(ec))
                return it->path();
        }
        ec.clear();
    }
    return {};
}

bool SetLanguage(std::string_view name) {
    if (name == LanguageName())
        return false;
    ActiveLanguage next;
    if (!name.empty()) {
        fs::path path = languageFilePath(name);
        std::optional<LanguageFile> file;
        if (!path.empty())
            file = LanguageFile::load(path);
        if (file) {
            next.name = name;
            next.path = path;
            next.file = std::make_shared<const LanguageFile>(std::move(*file));
        }
    }
    std::lock_guard lock(languageMutex());
    active() = std::move(next);
    return true;
}

std::string LanguageName() {
    std::lock_guard lock(languageMutex());
    return active().name;
}

fs::path LanguagePath() {
    std::lock_guard lock(languageMutex());
    return active().path;
}

std::string Unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            char replacement = 0;
            switch (text[i + 1]) {
                case 'n':
                    replacement = '\n';
                    break;
                case 't':
                    replacement = '\t';
                    break;
                case 'r':
                    replacement = '\r';
                    break;
                case 'b':
                    replacement = '\b';
                    break;
                case 'v':
                    replacement = '\v';
                    break;
                case '\'':
                    replacement = '\'';
                    break;
                case '"':
                    replacement = '"';
                    break;
                default:
                    break;
            }
            if (replacement) {
                out += replacement;
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

std::string LanguageAuthor() {
    if (auto file = activeFile()) {
        std::optional<std::string_view> author = file->value("Description", "author");
        if (author && !author->empty())
            return Unescape(*author);
    }
    return kBuiltinAuthor;
}

std::optional<std::string> translatedText(int id, std::string_view section) {
    auto file = activeFile();
    if (!file || section.empty())
        return std::nullopt;
    return valueOf(*file, section, std::to_string(id));
}

LangString::~LangString() = default;

const std::string& LangString::LoadFormat(int id, FormatArgs args) {
    std::string format = Load(id);
    std::string_view builtin = builtinText(id);
    if (format != builtin && conversionSignature(format) != conversionSignature(builtin))
        format = builtin;
    return Format(format, args);
}

const std::string& LangString::Format(std::string_view format, FormatArgs args) {
    text_ = formatChecked(format, args);
    return text_;
}

const std::string& LangString::Load(int id) {
    // Without a value the whole built-in text stands, also when a language is active: cutting
    // it at its first line break would shorten multi-line messages and log lines that a
    // partial translation does not cover.
    std::optional<std::string> value = translatedText(id, SectionOf(id));
    text_ = value ? std::move(*value) : std::string(builtinText(id));
    return text_;
}

const std::string& LangString::LoadToolTip(int id) {
    return LoadFrom(id, "ToolTips");
}

const std::string& LangString::LoadStatusMessage(int id) {
    return LoadFrom(id, "StatusBarMessages");
}

const std::string& LangString::LoadFrom(int id, std::string_view section) {
    std::optional<std::string> value = translatedText(id, section);
    text_ = value ? std::move(*value) : std::string(firstLine(builtinText(id)));
    return text_;
}

std::string_view LangString::SectionOf(int id) const {
    for (const IdRange& range : kSectionRanges)
        if (id >= range.first && id <= range.last)
            return range.section;
    return "MenuItems";
}

std::string_view CommonButtonString::SectionOf(int) const {
    return "CommonButtons";
}

std::string tr(int id) {
    LangString s;
    return s.Load(id);
}

}  // namespace tw::base
