// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/format.h"

namespace tw::base {

class LanguageFile;

// The active language: a language file that replaces the built-in texts of the string table
// (string_table.h) by id.
//
// The language is chosen once at start-up (SetLanguage) and changes only by a restart. The
// active file is read once into an immutable table; every lookup below is safe from any
// thread and costs a hash lookup.
//
// A language file "<name>.lng" lies in the folder "Lng" of a data folder (app_paths.h; the
// user's folder is searched first). In the file, the text of id N is the key "N" of the
// section that LangString::SectionOf gives for N; values are taken only when they have at
// least two characters, and their escapes are turned into characters (Unescape).

// Activates a language by name; the empty name selects the built-in texts, as does a name
// whose file cannot be read. Returns false, and changes nothing, when the name equals the
// active one.
bool SetLanguage(std::string_view name);

// The active language's name and file; both empty for the built-in texts.
std::string LanguageName();
std::filesystem::path LanguagePath();

// The file of a language name, or an empty path when no data folder has one. Names holding
// "/" are refused. An exact file name wins; else the ".lng" file of that name in any letter
// case.
std::filesystem::path languageFilePath(std::string_view name);

// "\n" line feed, "\t" tab, "\r" carriage return, "\b" backspace, "\v" vertical tab,
// "\'" apostrophe and "\"" quotation mark become those characters; any other backslash stays.
std::string Unescape(std::string_view text);

// The author named in the active language file (section "Description", key "author"), or
// the author of the built-in texts.
std::string LanguageAuthor();

// One text of the user interface, looked up by id.
//
// A LangString holds the text of its last lookup (text()); each lookup also returns it.
// Operations are virtual so that a kind of text can choose its own language section (see
// CommonButtonString). Objects are cheap; make one where a text is needed, one per thread.
class LangString {
public:
    LangString() = default;
    virtual ~LangString();

    // Load(id), then Format() with the arguments. A translated text is used only when its
    // conversions match those of the built-in text in number and kind; otherwise the
    // built-in text is formatted, so a broken or hostile language file can never make the
    // program read arguments it did not pass.
    virtual const std::string& LoadFormat(int id, FormatArgs args);
    // Formats a given format text (format.h rules).
    virtual const std::string& Format(std::string_view format, FormatArgs args);
    // The text of the id: the active language's value in SectionOf(id), else the built-in
    // text (empty when there is none).
    virtual const std::string& Load(int id);
    virtual const std::string& LoadToolTip(int id);        // LoadFrom(id, "ToolTips")
    virtual const std::string& LoadStatusMessage(int id);  // LoadFrom(id, "StatusBarMessages")
    // The active language's value of the id in `section`, else the built-in text up to its
    // first line break (the part a tool tip or status prompt shows).
    virtual const std::string& LoadFrom(int id, std::string_view section);
    // The language section of an id: the section of its id range, else "MenuItems".
    virtual std::string_view SectionOf(int id) const;

    template <typename... Args>
    const std::string& LoadFormat(int id, const Args&... args) {
        const FormatArg list[] = {FormatArg(args)..., FormatArg(0)};
        return LoadFormat(id, FormatArgs(list, sizeof...(Args)));
    }

    const std::string& text() const { return text_; }

protected:
    std::string text_;
};

// The texts of the common dialog buttons (ids::kButtonOk and its neighbours), which a
// language file keeps in section "CommonButtons" whatever their ids.
class CommonButtonString : public LangString {
public:
    std::string_view SectionOf(int id) const override;
};

// Short forms for callers: tr(id) is LangString().Load(id); trf(id, args...) is
// LangString().LoadFormat(id, args...).
std::string tr(int id);

template <typename... Args>
std::string trf(int id, const Args&... args) {
    LangString s;
    return s.LoadFormat(id, args...);
}

// For the language code and tests: the value of an id in a section of the active language,
// unescaped, when the file has one of at least two characters.
std::optional<std::string> translatedText(int id, std::string_view section);

}  // namespace tw::base
