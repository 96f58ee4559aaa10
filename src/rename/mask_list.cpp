// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/mask_list.h"

#include <algorithm>
#include <cstdio>

#include "base/settings_store.h"
#include "rename/symbol_table.h"

namespace tw::rename {

namespace {

constexpr std::string_view kMissing = "NODATA";
constexpr std::string_view kLastSelection = "LastSelection";
constexpr std::string_view kCounterStartAt = "CounterStartAt";
constexpr std::string_view kCounterLength = "CounterLength";
constexpr std::string_view kCaseConversion = "CaseConversion";
constexpr std::string_view kExampleFallbackName = "playlist";

std::string templateName(std::size_t index) {
    char name[32];
    std::snprintf(name, sizeof name, "Template%zu", index);
    return name;
}

void replaceAll(std::string& text, std::string_view search, std::string_view replacement) {
    if (search.empty())
        return;
    for (std::size_t at = text.find(search); at != std::string::npos;
         at = text.find(search, at + replacement.size()))
        text.replace(at, search.size(), replacement);
}

}  // namespace

MaskList::MaskList(std::string_view section) : section_(section) {}

bool MaskList::load(const base::SettingsStore& store) {
    masks_.clear();
    // Every index up to the first missing one is read, so the loop ends with the stored
    // values; skipped entries still count.
    for (std::size_t i = 0;; ++i) {
        const std::string mask = store.getString(section_, templateName(i), kMissing);
        if (mask == kMissing)
            break;
        if (!mask.empty() && std::find(masks_.begin(), masks_.end(), mask) == masks_.end())
            masks_.push_back(mask);
    }
    const std::int32_t last = store.getInt(section_, kLastSelection, 0);
    selected_ = -1;
    current_.clear();
    select(last >= 0 && last < static_cast<std::int32_t>(masks_.size()) ? last : 0);
    setCounterStart(store.getInt(section_, kCounterStartAt, 0));
    setCounterLength(store.getInt(section_, kCounterLength, 1));
    setCaseMode(static_cast<CaseMode>(store.getInt(section_, kCaseConversion, 0)));
    return !masks_.empty();
}

void MaskList::save(base::SettingsStore& store) const {
    store.removeSection(section_);
    for (std::size_t i = 0; i < masks_.size(); ++i)
        store.setString(section_, templateName(i), masks_[i]);
    if (selected_ < 0) {
        store.setInt(section_, kLastSelection, static_cast<std::int32_t>(masks_.size()));
        store.setString(section_, templateName(masks_.size()), current_);
    } else {
        store.setInt(section_, kLastSelection, selected_);
    }
    store.setInt(section_, kCounterStartAt, counterStart_);
    store.setInt(section_, kCounterLength, counterLength_);
    store.setInt(section_, kCaseConversion, static_cast<std::int32_t>(caseMode_));
}

void MaskList::addDefault(std::string_view mask) {
    if (mask.empty() || std::find(masks_.begin(), masks_.end(), mask) != masks_.end())
        return;
    masks_.emplace_back(mask);
    if (masks_.size() == 1)
        select(0);
}

void MaskList::addDefaults(const std::vector<std::string_view>& masks) {
    for (std::string_view mask : masks)
        addDefault(mask);
}

void MaskList::setMasks(const std::vector<std::string>& masks, int selected) {
    masks_.clear();
    for (const std::string& mask : masks) {
        if (!mask.empty() && std::find(masks_.begin(), masks_.end(), mask) == masks_.end())
            masks_.push_back(mask);
    }
    selected_ = -1;
    current_.clear();
    select(selected >= 0 && selected < static_cast<int>(masks_.size()) ? selected : 0);
}

void MaskList::setCurrentMask(std::string_view text) {
    current_ = std::string(text);
    const auto it = std::find(masks_.begin(), masks_.end(), current_);
    selected_ = it == masks_.end() ? -1 : static_cast<int>(it - masks_.begin());
}

void MaskList::select(int index) {
    if (index < 0 || index >= static_cast<int>(masks_.size()))
        return;
    selected_ = index;
    current_ = masks_[static_cast<std::size_t>(index)];
}

void MaskList::setCounterStart(std::int32_t value) {
    counterStart_ = std::clamp(value, 0, kCounterStartMax);
}

void MaskList::setCounterLength(std::int32_t value) {
    counterLength_ = std::clamp(value, kCounterLengthMin, kCounterLengthMax);
}

void MaskList::setCaseMode(CaseMode mode) {
    const auto value = static_cast<std::int32_t>(mode);
    caseMode_ = value >= 0 && value <= static_cast<std::int32_t>(CaseMode::InvertCase)
                    ? mode
                    : CaseMode::AsIs;
}

const std::vector<std::string_view>& renamingDefaultMasks() {
    static const std::vector<std::string_view> masks{
        "<title>",
        "<number> - <title>",
        "<number>, <artist> - <title>",
        "<number>, <artist> - <title> (<year>)",
        "<number>, <title> (<year>)",
        "<artist> - <title>",
        "<artist> - <title> (<year>)",
        "<title> (<year>)",
    };
    return masks;
}

const std::vector<std::string_view>& filenameToTagDefaultMasks() {
    static const std::vector<std::string_view> masks{
        "<title>",
        "<number> - <title>",
        "<number> - <title> (<year>)",
        "<album> - <artist>",
        "<artist>",
        "<artist> - <title>",
        "<year>",
        "<year> - <artist>",
        "<year> - <album>",
        "<year> - <artist> - <album>",
        "(<year>) - <album>",
        "<album> - (<year>)",
    };
    return masks;
}

const std::vector<std::string_view>& playlistDefaultMasks() {
    static const std::vector<std::string_view> masks{
        "<album>",
        "<album> - <artist>",
        "<artist>",
        "<artist> - <album>",
        "<year>",
        "<year> - <artist>",
        "<year> - <album>",
        "<year> - <artist> - <album>",
        "(<year>) - <album>",
        "<album> - (<year>)",
    };
    return masks;
}

std::string maskExampleLine(std::string_view mask, const std::vector<ExampleValue>& examples,
                            CaseMode caseMode, std::string_view extension,
                            const base::SettingsStore& store) {
    std::string line(mask);
    for (const ExampleValue& example : examples)
        replaceAll(line, example.token, example.value);
    line.erase(0, line.find_first_not_of('\\'));
    line = ConvertCase(ApplySymbolTable(line, store, kTagToFilenameTable), caseMode);
    if (line.empty() || line.back() == '\\')
        line += kExampleFallbackName;
    line += extension;
    return line;
}

}  // namespace tw::rename
