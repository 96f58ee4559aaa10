// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rename/mask_list.h"
#include "rename/mask_tokens.h"

namespace tw::gui {

// One insert button of the mask editor's legend: the control id of a token's button
// (1001 "<number>" ... 1016, the ids of the token table) or of a folder button (1030 "\",
// 1031 "..\", 1032 an absolute folder).
struct LegendButton {
    int buttonId;
    // The caption of a folder button (kLegendSubFolder, kLegendFolder, ...); 0 for token
    // buttons, which show their token beside its legend text.
    int captionId = 0;
};

inline constexpr int kSubFolderButtonId = 1030;
inline constexpr int kUpLevelButtonId = 1031;

// What a mask-driven dialog hands its MaskEditor: how the editor presents and checks the
// masks of the dialog's MaskList. The list itself and the symbol table (the one the dialog
// named with rename::setEditedSymbolTable) are given separately.
struct MaskEditorSetup {
    int titleId = 0;                       // the "%s" of "Mask Editor - %s"
    rename::TokenPermissions permissions;  // what "Save" accepts
    std::vector<LegendButton> legend;      // the insert buttons offered, in order
    bool counterOptions = false;           // the "Counter options" group ("<counter>")
    // The values the example line shows for the tokens; a token not named keeps its text.
    std::vector<rename::ExampleValue> examples;
    std::string extension;                       // ends the example line
    std::vector<std::string_view> defaultMasks;  // what "Default" puts in the list
    std::string placementSection = "DlgMaskEditor";
};

// Example values that leave every legend token out of the example line, as the renaming
// and filename-to-tag dialogs want it.
std::vector<rename::ExampleValue> emptyExamples(const std::vector<LegendButton>& legend);

// The editors of the renaming and filename-to-tag lists.
MaskEditorSetup renamingEditorSetup(const rename::TokenPermissions& permissions);
MaskEditorSetup filenameToTagEditorSetup();

}  // namespace tw::gui
