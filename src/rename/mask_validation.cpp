// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/mask_validation.h"

#include "base/language.h"
#include "base/string_ids.h"

namespace tw::rename {

namespace ids = base::ids;

namespace {

constexpr std::string_view kForbiddenCharacters = "|?*/:\"";
constexpr std::string_view kUpLevel = "..\\";

MaskCheck refuse(int messageId, std::string_view argument, std::size_t start, std::size_t length) {
    return {false, messageId, std::string(argument), start, length};
}

// The first token of the table that `row` forbids and `part` holds; `offset` is where
// `part` begins in the mask.
MaskCheck firstForbiddenToken(std::string_view part, std::size_t offset, const PermissionRow& row,
                              int messageId) {
    for (std::size_t i = 0; i < kMaskTokenCount; ++i) {
        if (row[i])
            continue;
        const std::string_view token = maskTokens()[i].text;
        const std::size_t at = part.find(token);
        if (at != std::string_view::npos)
            return refuse(messageId, token, offset + at, token.size());
    }
    return {};
}

}  // namespace

MaskCheck ValidateMask(std::string_view mask, const TokenPermissions& permissions) {
    for (char c : kForbiddenCharacters) {
        const std::size_t at = mask.find(c);
        if (at != std::string_view::npos)
            return refuse(ids::kMaskForbiddenCharacter, std::string_view(&mask[at], 1), at, 1);
    }

    const auto subFolder = static_cast<std::size_t>(MaskTokenId::SubFolder);
    const auto upLevel = static_cast<std::size_t>(MaskTokenId::UpLevel);
    const std::size_t lastSeparator = mask.rfind('\\');
    if (lastSeparator != std::string_view::npos && !permissions.directoryPart[subFolder])
        return refuse(ids::kMaskTokenInFile, maskTokens()[subFolder].text, lastSeparator, 1);

    if (permissions.directoryPart[upLevel]) {
        std::size_t leading = 0;
        while (mask.substr(leading).starts_with(kUpLevel))
            leading += kUpLevel.size();
        const std::size_t at = mask.find(kUpLevel, leading);
        if (at != std::string_view::npos)
            return refuse(ids::kMaskUpLevelNotAtStart, kUpLevel, at, kUpLevel.size());
    }

    const std::size_t fileStart = lastSeparator == std::string_view::npos ? 0 : lastSeparator + 1;
    MaskCheck check = firstForbiddenToken(mask.substr(0, fileStart), 0, permissions.directoryPart,
                                          ids::kMaskTokenInDirectory);
    if (!check.valid)
        return check;
    return firstForbiddenToken(mask.substr(fileStart), fileStart, permissions.filePart,
                               ids::kMaskTokenInFile);
}

std::string maskCheckMessage(const MaskCheck& check) {
    if (check.valid)
        return {};
    if (check.messageId == ids::kMaskForbiddenCharacter && check.argument.size() == 1)
        return base::trf(check.messageId, check.argument.front());
    return base::trf(check.messageId, check.argument);
}

}  // namespace tw::rename
