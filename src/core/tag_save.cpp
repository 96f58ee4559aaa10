// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/tag_save.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <optional>

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

// The dirty tags of a record staged in a writer, and the record as it is to be once they
// are saved.
struct StagedSave {
    AudioFile record;
    std::optional<base::Failure> failure;  // of the last step that failed
    bool readBack = false;                 // the record was read from the saved file

    StagedSave(const AudioFile& original, TagFileWriter& writer) : record(original) {
        // A FLAC, Ogg or MP4 file holds no ID3v1 tag: what a command that sets both tags
        // put there has nowhere to go.
        if (record.format != AudioFormat::Mpeg)
            record.id3v1 = {};
        const Step v1 = saveTag(
            record.id3v1, [&] { return writer.writeV1(record); },
            [&] { return writer.removeV1(); });
        const Step v2 = saveTag(
            record.id3v2, [&] { return writer.writeV2(record); },
            [&] { return writer.removeV2(); });
        const Step lyrics = saveLyrics(writer);
        if (record.pictures.dirty())
            succeeded(writer.writePictures(record));
        applyOutcome(record.id3v1, v1);
        applyOutcome(record.id3v2, v2);
        applyOutcome(record.lyrics, lyrics);
    }

    // Whether a step succeeded; keeps its failure when it did not.
    bool succeeded(base::Outcome step) {
        if (!step)
            failure = step.failure();
        return step.ok();
    }

    template <typename Tag, typename Write, typename Remove>
    Step saveTag(Tag& tag, Write write, Remove remove) {
        if (tag.changed && tag.present)
            return succeeded(write()) ? Step::Written : Step::Failed;
        if (!tag.present && tag.inFile) {
            clearFields(tag);
            return succeeded(remove()) ? Step::Removed : Step::Failed;
        }
        return Step::Skipped;
    }

    Step saveLyrics(TagFileWriter& writer) {
        LyricsTag& lyrics = record.lyrics;
        if (!lyrics.dirty())
            return Step::Skipped;
        lyrics.text = lyrics.present ? trimLyrics(lyrics.text) : std::string();
        if (!succeeded(writer.writeLyrics(record)))
            return Step::Failed;
        return lyrics.text.empty() ? Step::Removed : Step::Written;
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

base::Outcome save(AudioFile& record, const SaveOptions& options) {
    if (record.unreadable())
        return base::Failure{
            record.path, base::Message(base::ids::kSaveNotReadWhenListed, record.readFailure), {}};

    TagFileWriter writer(record.path);
    StagedSave staged(record, writer);
    if (staged.failure)
        return *staged.failure;
    SaveBatch batch(options);
    batch.add(writer, staged.reader());
    if (base::Outcome saved = batch.finish().front(); !saved)
        return saved;
    staged.takeInto(record);
    return {};
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
            failed.push_back({index,
                              {file.fileName, base::Message(base::ids::kSaveNotReadWhenListed,
                                                            file.readFailure)}});
            continue;
        }
        TagFileWriter writer(file.path);
        Pending& one = pending.emplace_back(Pending{index, StagedSave(file, writer)});
        if (one.staged.failure) {
            failed.push_back({index, {file.fileName, one.staged.failure->why}});
            pending.pop_back();
            continue;
        }
        one.outcome = batch.add(writer, one.staged.reader());
    }
    const std::vector<base::Outcome> outcomes = batch.finish();
    for (Pending& one : pending) {
        AudioFile& file = list.at(one.index);
        if (const base::Outcome& saved = outcomes[one.outcome])
            one.staged.takeInto(file);
        else
            failed.push_back({one.index, {file.fileName, saved.failure().why}});
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
