// SPDX-License-Identifier: GPL-2.0-or-later
#include "base/language_menu.h"

#include <algorithm>
#include <filesystem>

#include "base/app_paths.h"
#include "base/ascii.h"
#include "base/language.h"
#include "base/settings_store.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "base/user_port.h"

namespace tw::base {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSettingsSection = "Settings";
constexpr std::string_view kLanguageValue = "Language";

std::vector<std::string> listLanguageNames() {
    std::vector<std::string> names;
    for (const fs::path& data : dataFolders()) {
        std::error_code ec;
        for (auto it = fs::directory_iterator(data / "Lng", ec);
             !ec && it != fs::directory_iterator(); it.increment(ec)) {
            std::string fileName = it->path().filename().string();
            if (!endsWithNoCase(fileName, ".lng") || !it->is_regular_file(ec))
                continue;
            std::string name = fileName.substr(0, fileName.find('.'));
            if (name.empty() || std::find(names.begin(), names.end(), name) != names.end())
                continue;
            names.push_back(std::move(name));
            if (names.size() == kMaxLanguageMenuEntries)
                return names;
        }
    }
    return names;
}

}  // namespace

void activateStoredLanguage(const SettingsStore& store) {
    SetLanguage(store.getString(kSettingsSection, kLanguageValue, ""));
}

std::vector<LanguageMenuEntry> languageMenuEntries() {
    std::string active = LanguageName();
    std::vector<LanguageMenuEntry> entries;
    for (std::string& name : listLanguageNames()) {
        LanguageMenuEntry e;
        e.commandId = ids::kCmdLanguageFirst + static_cast<int>(entries.size());
        e.enabled = entries.size() < kEnabledLanguageMenuEntries;
        e.checked = name == active;
        e.name = std::move(name);
        entries.push_back(std::move(e));
    }
    return entries;
}

std::optional<std::string> languageOfCommand(int commandId) {
    if (commandId < ids::kCmdLanguageFirst || commandId > ids::kCmdLanguageLastEnabled)
        return std::nullopt;
    std::vector<std::string> names = listLanguageNames();
    auto index = static_cast<std::size_t>(commandId - ids::kCmdLanguageFirst);
    if (index >= names.size())
        return std::nullopt;
    return names[index];
}

bool ChooseLanguage(std::string_view name, SettingsStore& store, UserPort& port) {
    if (name == LanguageName())
        return false;
    if (port.askYesNo(tr(ids::kMsgRestartForLanguage)) != UserPort::Answer::Yes)
        return false;
    store.setString(kSettingsSection, kLanguageValue, name);
    return true;
}

std::string menuItemText(int commandId, int labelId) {
    // A command the language file does not name keeps its own label; its string-table text is
    // the status-bar prompt, which would make a poor menu item.
    if (auto text = translatedText(commandId, "MenuItems"))
        return *text;
    return std::string(builtinText(labelId));
}

std::string menuHeadText(int position, int labelId) {
    if (auto text = translatedText(ids::kMenuHeadFirst + position, "MenusHeads"))
        return *text;
    return std::string(builtinText(labelId));
}

}  // namespace tw::base
