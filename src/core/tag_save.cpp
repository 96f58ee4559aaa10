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

bool save(AudioFile& record) {
    TagFileWriter writer(record.path);
    const Step v1 = saveTag(
        record.id3v1, [&] { return writer.writeV1(record); }, [&] { return writer.removeV1(); });
    const Step v2 = saveTag(
        record.id3v2, [&] { return writer.writeV2(record); }, [&] { return writer.removeV2(); });
    const Step lyrics = saveLyrics(record, writer);
    if (!writer.commit())
        return false;

    applyOutcome(record.id3v1, v1);
    applyOutcome(record.id3v2, v2);
    applyOutcome(record.lyrics, lyrics);
    // A part that failed keeps its edits in memory instead of what the file still holds.
    const AudioFile edited = record;
    record.read();
    if (v1 == Step::Failed)
        record.id3v1 = edited.id3v1;
    if (v2 == Step::Failed)
        record.id3v2 = edited.id3v2;
    if (lyrics == Step::Failed)
        record.lyrics = edited.lyrics;
    return v1 != Step::Failed && v2 != Step::Failed && lyrics != Step::Failed;
}

std::vector<std::string> saveAll(FileList& list, base::UserPort& port) {
    std::vector<std::string> failed;
    port.startProgress(base::tr(base::ids::kProgressSavingChanges), list.countDirty());
    for (int index = 0; index < list.size(); ++index) {
        AudioFile& file = list.at(index);
        if (!file.dirty()) {
            file.read();
            continue;
        }
        port.advanceProgress(file.fileName);
        if (!save(file))
            failed.push_back(file.fileName);
    }
    port.finishProgress();
    if (!failed.empty())
        port.showFailedFiles(base::tr(base::ids::kFailedFilesCaption),
                             base::tr(base::ids::kFailedFilesWritePermissions), failed);
    return failed;
}

}  // namespace tw::core
