// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/tag_save.h"

#include <algorithm>
#include <deque>
#include <functional>

#include "base/language.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "core/save_batch.h"
#include "core/tag_edit.h"
#include "core/tag_file_writer.h"

namespace tw::core {

namespace {

// What happened to one part of the file in a save.
enum class Step { Skipped, Written, Removed, Failed };

template <typename Flags>
void markWritten(Flags& flags) {
    flags.inFile = flags.present = true;
    flags.changed = false;
}

template <typename Flags>
void markRemoved(Flags& flags) {
    flags.inFile = flags.present = flags.changed = false;
}

template <typename Flags>
void applyOutcome(Flags& flags, Step step) {
    if (step == Step::Written)
        markWritten(flags);
    if (step == Step::Removed)
        markRemoved(flags);
}

template <typename Tag, typename Write, typename Remove>
Step saveTag(Tag& tag, Write write, Remove remove) {
    if (tag.changed && tag.present)
        return write() ? Step::Written : Step::Failed;
    if (!tag.present && tag.inFile) {
        clearFields(tag);
        return remove() ? Step::Removed : Step::Failed;
    }
    return Step::Skipped;
}

Step saveLyrics(AudioFile& record, TagFileWriter& writer) {
    LyricsTag& lyrics = record.lyrics;
    if (!lyrics.dirty())
        return Step::Skipped;
    lyrics.text = lyrics.present ? trimLyrics(lyrics.text) : std::string();
    if (!writer.writeLyrics(record))
        return Step::Failed;
    return lyrics.text.empty() ? Step::Removed : Step::Written;
}

// The dirty tags of a record staged in a writer, and the record as it is to be once they
// are saved.
struct StagedSave {
    AudioFile record;
    bool failed = false;
    bool readBack = false;  // the record was read from the saved file

    StagedSave(const AudioFile& original, TagFileWriter& writer) : record(original) {
        const Step v1 = saveTag(
            record.id3v1, [&] { return writer.writeV1(record); },
            [&] { return writer.removeV1(); });
        const Step v2 = saveTag(
            record.id3v2, [&] { return writer.writeV2(record); },
            [&] { return writer.removeV2(); });
        const Step lyrics = saveLyrics(record, writer);
        const bool picturesFailed = record.pictures.dirty() && !writer.writePictures(record);
        failed =
            v1 == Step::Failed || v2 == Step::Failed || lyrics == Step::Failed || picturesFailed;
        applyOutcome(record.id3v1, v1);
        applyOutcome(record.id3v2, v2);
        applyOutcome(record.lyrics, lyrics);
    }

    std::function<void(const SavedFile&)> reader() {
        return [this](const SavedFile& saved) {
            record.readSaved(saved);
            readBack = true;
        };
    }

    // Puts the saved record in place of the list's.
    void takeInto(AudioFile& target) {
        target = std::move(record);
        if (!readBack)
            target.read();
    }
};

}  // namespace

bool save(AudioFile& record, std::string* reason, const SaveOptions& options) {
    auto fail = [&](std::string why) {
        if (reason)
            *reason = std::move(why);
        return false;
    };
    if (record.unreadable())
        return fail(base::trf(base::ids::kSaveNotReadWhenListed, record.readFailure));

    TagFileWriter writer(record.path);
    StagedSave staged(record, writer);
    if (staged.failed)
        return fail(writer.error());
    SaveBatch batch(options);
    batch.add(writer, staged.reader());
    if (std::string why = batch.finish().front(); !why.empty())
        return fail(std::move(why));
    staged.takeInto(record);
    return true;
}

std::vector<FileFailure> saveAll(FileList& list, base::UserPort& port, const SaveOptions& options) {
    struct Pending {
        int index;
        StagedSave staged;
        std::size_t outcome = 0;
    };
    std::vector<std::pair<int, FileFailure>> failed;
    std::deque<Pending> pending;  // stays where it is while the batch reads files back into it
    SaveBatch batch(options);

    port.startProgress(base::tr(base::ids::kProgressSavingChanges), list.countDirty());
    for (int index = 0; index < list.size(); ++index) {
        AudioFile& file = list.at(index);
        if (!file.dirty()) {
            file.read();
            continue;
        }
        port.advanceProgress(file.fileName);
        if (file.unreadable()) {
            failed.push_back(
                {index,
                 {file.fileName, base::trf(base::ids::kSaveNotReadWhenListed, file.readFailure)}});
            continue;
        }
        TagFileWriter writer(file.path);
        Pending& one = pending.emplace_back(Pending{index, StagedSave(file, writer)});
        if (one.staged.failed) {
            failed.push_back({index, {file.fileName, writer.error()}});
            pending.pop_back();
            continue;
        }
        one.outcome = batch.add(writer, one.staged.reader());
    }
    const std::vector<std::string> outcomes = batch.finish();
    for (Pending& one : pending) {
        AudioFile& file = list.at(one.index);
        if (outcomes[one.outcome].empty())
            one.staged.takeInto(file);
        else
            failed.push_back({one.index, {file.fileName, outcomes[one.outcome]}});
    }
    port.finishProgress();

    // Reported in list order, wherever in the save each failed.
    std::stable_sort(failed.begin(), failed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<FileFailure> failures;
    for (auto& [index, failure] : failed)
        failures.push_back(std::move(failure));
    if (!failures.empty())
        port.showFailedFiles(base::tr(base::ids::kFailedFilesCaption),
                             base::tr(base::ids::kFailedFilesWritePermissions),
                             failureLines(failures));
    return failures;
}

}  // namespace tw::core
