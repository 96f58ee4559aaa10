// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/rename/mask_editor_setup.h"

#include "base/string_ids.h"
#include "gui/rename/mask_legend.h"

namespace tw::gui {

namespace ids = base::ids;

std::vector<rename::ExampleValue> emptyExamples(const std::vector<LegendButton>& legend) {
    std::vector<rename::ExampleValue> examples;
    for (const LegendButton& button : legend) {
        const rename::MaskToken* token = tokenOfButton(button.buttonId);
        if (token && button.buttonId != kSubFolderButtonId && button.buttonId != kUpLevelButtonId)
            examples.push_back({token->text, {}});
    }
    return examples;
}

MaskEditorSetup renamingEditorSetup(const rename::TokenPermissions& permissions) {
    MaskEditorSetup setup;
    setup.titleId = ids::kMaskTitlePlaylistFilenameFormat;
    setup.permissions = permissions;
    // "<number>" ... "<composer>", "<filenumber>", "<filename>", "<bitrate>", "<counter>",
    // "<playtime>", then the three folder buttons.
    for (int id : {1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1010, 1011, 1012, 1013,
                   kSubFolderButtonId, kUpLevelButtonId, rename::kAbsPathButtonId})
        setup.legend.push_back({id});
    setup.counterOptions = true;
    setup.examples = emptyExamples(setup.legend);
    setup.extension = ".mp3";
    setup.defaultMasks = rename::renamingDefaultMasks();
    return setup;
}

MaskEditorSetup filenameToTagEditorSetup() {
    MaskEditorSetup setup;
    setup.titleId = ids::kMaskTitleFilenameFormat;
    setup.permissions = rename::TokenPermissions::forFilenameToTag();
    for (int id : {1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008})
        setup.legend.push_back({id});
    setup.legend.push_back({kSubFolderButtonId, ids::kLegendFolder});
    setup.legend.push_back({1014});  // "<skip>"
    setup.examples = emptyExamples(setup.legend);
    setup.extension = ".mp3";
    setup.defaultMasks = rename::filenameToTagDefaultMasks();
    return setup;
}

}  // namespace tw::gui
