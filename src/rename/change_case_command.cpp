// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/change_case_command.h"

#include "base/language.h"
#include "base/settings_store.h"
#include "base/string_ids.h"
#include "core/effective_value.h"
#include "core/file_list.h"
#include "rename/failed_files_report.h"
#include "rename/rename_undo.h"

namespace tw::rename {

namespace {

constexpr std::string_view kSection = "Settings";
constexpr std::string_view kModeValue = "cc";
constexpr ChangeCaseMode kDefaultMode = ChangeCaseMode::UpperAllFirstLetters;

ChangeCaseMode storedMode(const base::SettingsStore& store) {
    const std::int32_t value =
        store.getInt(kSection, kModeValue, static_cast<std::int32_t>(kDefaultMode));
    if (value < 0 || value > static_cast<std::int32_t>(ChangeCaseMode::InvertCase))
        return kDefaultMode;
    return static_cast<ChangeCaseMode>(value);
}

core::EffectiveField effectiveFieldOf(ChangeCaseTarget target) {
    switch (target) {
        case ChangeCaseTarget::Artist:
            return core::EffectiveField::Artist;
        case ChangeCaseTarget::Album:
            return core::EffectiveField::Album;
        case ChangeCaseTarget::Comment:
            return core::EffectiveField::Comment;
        default:
            return core::EffectiveField::Title;
    }
}

std::string* fieldOf(core::TagFields& tag, ChangeCaseTarget target) {
    switch (target) {
        case ChangeCaseTarget::Title:
            return &tag.title;
        case ChangeCaseTarget::Artist:
            return &tag.artist;
        case ChangeCaseTarget::Album:
            return &tag.album;
        case ChangeCaseTarget::Comment:
            return &tag.comment;
        case ChangeCaseTarget::FileName:
            break;
    }
    return nullptr;
}

// Recases one field of one tag in place; true (and the tag marked changed) when it changed.
bool recase(core::TagFields& tag, ChangeCaseTarget target, ChangeCaseMode mode) {
    std::string* field = fieldOf(tag, target);
    if (!field || field->empty() || !ChangeCaseOfText(*field, mode))
        return false;
    tag.changed = true;
    return true;
}

}  // namespace

ChangeCaseCommand::ChangeCaseCommand(core::FileList& list, base::SettingsStore& store,
                                     ChangeCaseTarget target)
    : list_(list), store_(store), target_(target), mode_(storedMode(store)) {}

std::string ChangeCaseCommand::targetName() const {
    namespace ids = base::ids;
    switch (target_) {
        case ChangeCaseTarget::Title:
            return base::tr(ids::kListColumnTitle);
        case ChangeCaseTarget::Artist:
            return base::tr(ids::kListColumnArtist);
        case ChangeCaseTarget::Album:
            return base::tr(ids::kListColumnAlbum);
        case ChangeCaseTarget::Comment:
            return base::tr(ids::kListColumnComments);
        case ChangeCaseTarget::FileName:
            return base::tr(ids::kListColumnFilename);
    }
    return {};
}

std::vector<ChangeCaseRow> ChangeCaseCommand::rows() const {
    std::vector<ChangeCaseRow> rows;
    for (int index : list_.selectedIndices()) {
        const core::AudioFile& file = list_.at(index);
        std::string before = target_ == ChangeCaseTarget::FileName
                                 ? file.fileName
                                 : core::EffectiveValue(file, effectiveFieldOf(target_));
        if (before.empty())
            continue;
        std::string after = before;
        ChangeCaseOfText(after, mode_);
        rows.push_back({index, std::move(before), std::move(after)});
    }
    return rows;
}

ChangeCaseOutcome ChangeCaseCommand::run(base::UserPort& port, const std::string& workFolder) {
    store_.setInt(kSection, kModeValue, static_cast<std::int32_t>(mode_));
    ChangeCaseOutcome outcome;
    std::vector<DoneMove> moves;
    list_.forEachSelected([&](core::AudioFile& file) {
        if (target_ != ChangeCaseTarget::FileName) {
            const bool v1 = recase(file.id3v1, target_, mode_);
            const bool v2 = recase(file.id3v2, target_, mode_);
            outcome.changed += (v1 || v2) ? 1 : 0;
            return;
        }
        std::string name = file.fileName;
        if (!ChangeCaseOfText(name, mode_))
            return;
        const std::string before = file.fileName;
        const std::string beforePath = file.path;
        if (const base::Outcome renamed = file.rename(name)) {
            ++outcome.changed;
            moves.push_back({beforePath, file.path});
        } else {
            outcome.failed.push_back({before, renamed.failure().why});
        }
    });
    keepRenameUndo(moves);
    reportFailedFiles(port, workFolder, outcome.failed);
    return outcome;
}

}  // namespace tw::rename
