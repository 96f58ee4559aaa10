// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rename/case_conversion.h"

namespace tw::base {
class SettingsStore;
}

namespace tw::rename {

// The settings sections of the three mask lists.
inline constexpr std::string_view kRenamingMaskSection = "Templates\\DlgTagToFilename";
inline constexpr std::string_view kFilenameToTagMaskSection = "Templates\\DlgFilenameToTag";
inline constexpr std::string_view kPlaylistMaskSection = "Templates\\PL";

// The masks a dialog offers in its drop-down field, the text in that field, and the counter
// and case settings that go with them. One list lives as long as its dialog; the dialog
// loads it when it opens and saves it on OK and on every preview refresh.
//
// The list holds no duplicates and no empty masks. The current text is either one of the
// masks (then it is the selection) or a typed text that is none of them (no selection).
class MaskList {
public:
    static constexpr std::int32_t kCounterStartMax = 32767;
    static constexpr std::int32_t kCounterLengthMin = 1;
    static constexpr std::int32_t kCounterLengthMax = 6;

    explicit MaskList(std::string_view section);

    const std::string& section() const { return section_; }

    // Reads "Template0", "Template1", ... up to the first one missing, dropping duplicates
    // and empty texts; then "LastSelection" (the first mask when it is out of range) and the
    // counter and case settings (through the setters below, so absurd values are clamped).
    // True when a mask was read; otherwise the caller adds its defaults.
    bool load(const base::SettingsStore& store);
    // Rewrites the whole section; a typed text is kept as the last "Template%u" and becomes
    // the selection next time.
    void save(base::SettingsStore& store) const;

    // Appends a mask (duplicates and empty texts are ignored); the first becomes selected.
    void addDefault(std::string_view mask);
    void addDefaults(const std::vector<std::string_view>& masks);

    const std::vector<std::string>& masks() const { return masks_; }
    // Replaces the masks (as the mask editor hands them back) and selects `selected`, or the
    // first mask when that is out of range.
    void setMasks(const std::vector<std::string>& masks, int selected);

    const std::string& currentMask() const { return current_; }
    // The index of the current mask among the masks, -1 for a typed text.
    int selectedIndex() const { return selected_; }
    // Puts `text` into the field; it becomes the selection when it is one of the masks.
    void setCurrentMask(std::string_view text);
    // Selects a mask by index; an index out of range changes nothing.
    void select(int index);

    std::int32_t counterStart() const { return counterStart_; }
    std::int32_t counterLength() const { return counterLength_; }
    CaseMode caseMode() const { return caseMode_; }
    // Values out of range are clamped into it (the case mode falls back to AsIs).
    void setCounterStart(std::int32_t value);
    void setCounterLength(std::int32_t value);
    void setCaseMode(CaseMode mode);

private:
    std::string section_;
    std::vector<std::string> masks_;
    std::string current_;
    int selected_ = -1;
    std::int32_t counterStart_ = 0;
    std::int32_t counterLength_ = 1;
    CaseMode caseMode_ = CaseMode::AsIs;
};

// The masks each list starts with when nothing was stored.
const std::vector<std::string_view>& renamingDefaultMasks();
const std::vector<std::string_view>& filenameToTagDefaultMasks();
const std::vector<std::string_view>& playlistDefaultMasks();

// A token and the value the example line shows for it.
struct ExampleValue {
    std::string_view token;
    std::string value;
};

// The mask editor's example line: `mask` with each token of `examples` replaced by its value,
// the "\" at its start removed, the table "SymbolReplacementTagToFilename" and `caseMode`
// applied, "playlist" added when that leaves nothing or a folder, then `extension`.
std::string maskExampleLine(std::string_view mask, const std::vector<ExampleValue>& examples,
                            CaseMode caseMode, std::string_view extension,
                            const base::SettingsStore& store);

}  // namespace tw::rename
