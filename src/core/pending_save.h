// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "base/unique_fd.h"
#include "core/formats/format_result.h"
#include "core/id3v1_tag.h"
#include "core/mpeg_info.h"
#include "core/save_probe.h"
#include "core/saved_file.h"
#include "core/undo_record.h"

namespace tw::base {
class TempFile;
}

namespace tw::core {

// One file's save, decided and ready to be written: what a TagFileWriter made of its
// staged steps, written by a SaveBatch.
//
// The new tags reach the file in one of two ways:
//   - in place, when the new ID3v2 tag is exactly as long as the old one (render() keeps
//     the old tag's size while the frames fit in it) or only the ID3v1 tag changes: only
//     the blocks of bytes that differ are written, into the file itself, so its inode,
//     hard links, owner, mode, extended attributes and audio stay as they are. A tag that
//     outgrows its space is in place too where the file system can insert whole blocks at
//     the file's start (range_insert.h): the new tag fills the old space and the new blocks;
//   - as a new file otherwise (a file system that cannot, or a tag taken out): the new
//     tag, the audio copied by the kernel and the ID3v1 tag go into an unnamed file beside
//     the old one, which takes the old one's mode and owner and is renamed over it
//     (through a link of it under a hidden name).
// FLAC, Ogg and MP4 files take the same ways: in place where TagLib's result is as long as
// the file (their padding took the growth), into inserted blocks where only a head of the
// file grew by whole blocks, else as a new file made of TagLib's pieces, the unchanged
// ranges copied by the kernel.
//
// Owns the descriptor of the file, opened once by the writer for reading and writing, and
// the new file. One thread.
class PendingSave {
public:
    enum class Way { Nothing, InPlace, Rewrite };

    // The file as the writer read it.
    struct Layout {
        std::uint64_t size = 0;
        std::uint64_t tagEnd = 0;         // the end of the ID3v2 tag; 0 without one
        std::vector<std::uint8_t> tag;    // the old tag's bytes (tagEnd of them)
        std::optional<Id3v1Bytes> id3v1;  // the old ID3v1 tag, when there is one
        bool throughLink = false;  // the path is a symbolic link: a new file replaces its target
        MpegInfo stream;           // the audio stream found in it
    };
    // What the save makes of it.
    struct Change {
        std::optional<std::vector<std::uint8_t>> tag;  // the new ID3v2 tag; empty: none
        enum class Id3v1 { Keep, Write, Remove } id3v1 = Id3v1::Keep;
        Id3v1Bytes newId3v1{};
        // Bytes to insert at the start for a tag that outgrew its space (a multiple of the
        // file system's block size): the new tag fills the old one's space and them.
        std::uint64_t insert = 0;

        // A FLAC, Ogg or MP4 file: the whole new file as TagLib made it, and, where it is to
        // be written in place, the ranges in which they differ (the last may change the
        // file's length at its end). The "tag" above is then the new head of the file in
        // front of its unchanged rest, if blocks are inserted for it.
        std::vector<ChangedRange> replacements;
        std::unique_ptr<OverlayStream> format;
        // The ranges would be too large to hold: the format's result is written anew.
        bool tooLargeInPlace = false;
    };

    PendingSave(int fd, std::string path, const struct stat& opened, Layout layout, Change change);
    ~PendingSave();
    PendingSave(const PendingSave&) = delete;
    PendingSave& operator=(const PendingSave&) = delete;

    Way way() const { return way_; }
    const std::string& path() const { return path_; }
    dev_t device() const { return opened_.st_dev; }

    // About how many bytes it holds in memory until it is written (a batch bounds them).
    std::size_t heldBytes() const;

    // What the undo journal keeps of it (none for Nothing): in place, the old bytes of the
    // regions it overwrites and the hashes of their new blocks; as a new file, the hidden
    // name that file has for a moment before it replaces the old one.
    const std::optional<UndoRecord>& undoRecord() const { return undo_; }
    // What the journal keeps of it before it is written: undoRecord(), and where blocks are
    // to be inserted, the hidden name of the new file it falls back to should that fail.
    std::vector<UndoRecord> undoRecords() const;

    // Writes the new file (Rewrite only); the failure when it could not.
    [[nodiscard]] base::Outcome writeNewFile(const SaveProbe& probe);
    // The new file's descriptor while it exists (Rewrite only), to flush it.
    int newFileFd() const;

    // Checks that the file was not changed or replaced since it was opened, then puts the
    // new tags in: the changed blocks written in place, or the new file renamed over the
    // old one. The failure when it could not; a write cut off half-way in place is undone from
    // the undo record before this returns.
    [[nodiscard]] base::Outcome apply(const SaveProbe& probe);

    // Puts the old bytes back into a file written in place (InPlace only): for a write that
    // failed half-way, or one that cannot be made durable. The save knows that only its own
    // bytes went in, so nothing is weighed as the roll-back of a journal must.
    void undoInPlace();

    // The descriptor of the file as it now is: after apply(), the new file for Rewrite (the
    // old one is closed then).
    int fd() const;
    // The file as the save left it, for the record read from it (valid while this lives).
    SavedFile saved() const;
    // The folder whose entry apply() changed (Rewrite only).
    std::string changedFolder() const;

private:
    void planInPlace();
    std::uint64_t sizeAfterReplacements() const;
    void addChangedBlocks(UndoRecord& undo, std::uint64_t offset,
                          std::span<const std::uint8_t> oldBytes,
                          std::span<const std::uint8_t> newBytes);
    [[nodiscard]] base::Outcome writeFormatPieces(base::TempFile& out);
    void planRewrite();
    void reserveNewFileName();
    UndoRecord newNameRecord() const;
    [[nodiscard]] base::Outcome changedMeanwhile(const std::string& at) const;
    [[nodiscard]] base::Outcome writeInPlace(const SaveProbe& probe);
    [[nodiscard]] base::Outcome rewriteNow(const SaveProbe& probe);

    base::UniqueFd fd_;
    std::string path_;
    struct stat opened_;
    Layout layout_;
    Change change_;
    Way way_ = Way::Nothing;

    // In place: the bytes to write where.
    struct Write {
        std::uint64_t offset = 0;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Write> writes_;
    std::uint64_t newSize_ = 0;
    std::uint64_t inserted_ = 0;
    std::optional<UndoRecord> undo_;

    // Rewrite: the file it replaces (symbolic links followed), and the new file.
    std::string target_;
    std::string hiddenName_;
    std::unique_ptr<base::TempFile> newFile_;
    bool placed_ = false;
};

}  // namespace tw::core
