#include "core/tag_save.h"

#include "base/language.h"
#include "base/string_ids.h"
#include "base/user_port.h"
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

}  // namespace

bool save(AudioFile& record, std::string* reason) {
    auto fail = [&](std::string why) {
        if (reason)
            *reason = std::move(why);
        return false;
    };
    if (record.unreadable())
        return fail(base::trf(base::ids::kSaveNotReadWhenListed, record.readFailure));

    TagFileWriter writer(record.path);
    AudioFile staged = record;
    const Step v1 = saveTag(
        staged.id3v1, [&] { return writer.writeV1(staged); }, [&] { return writer.removeV1(); });
    const Step v2 = saveTag(
        staged.id3v2, [&] { return writer.writeV2(staged); }, [&] { return writer.removeV2(); });
    const Step lyrics = saveLyrics(staged, writer);
    const bool stepFailed = v1 == Step::Failed || v2 == Step::Failed || lyrics == Step::Failed;
    if (stepFailed || !writer.commit())
        return fail(writer.error());

    record = std::move(staged);
    applyOutcome(record.id3v1, v1);
    applyOutcome(record.id3v2, v2);
    applyOutcome(record.lyrics, lyrics);
    record.read();
    return true;
}

std::vector<FileFailure> saveAll(FileList& list, base::UserPort& port) {
    std::vector<FileFailure> failed;
    port.startProgress(base::tr(base::ids::kProgressSavingChanges), list.countDirty());
    for (int index = 0; index < list.size(); ++index) {
        AudioFile& file = list.at(index);
        if (!file.dirty()) {
            file.read();
            continue;
        }
        port.advanceProgress(file.fileName);
        std::string reason;
        if (!save(file, &reason))
            failed.push_back({file.fileName, std::move(reason)});
    }
    port.finishProgress();
    if (!failed.empty())
        port.showFailedFiles(base::tr(base::ids::kFailedFilesCaption),
                             base::tr(base::ids::kFailedFilesWritePermissions),
                             failureLines(failed));
    return failed;
}

}  // namespace tw::core
