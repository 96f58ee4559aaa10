// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/pending_save.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "base/file_ops.h"
#include "base/language.h"
#include "base/string_ids.h"
#include "core/file_failure.h"
#include "core/formats/overlay_stream.h"
#include "core/range_insert.h"
#include "core/undo_rollback.h"

namespace tw::core {

namespace {

namespace ids = base::ids;

std::error_code lastError() {
    return {errno, std::system_category()};
}

bool sameContents(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

}  // namespace

PendingSave::PendingSave(int fd, std::string path, const struct stat& opened, Layout layout,
                         Change change)
    : fd_(fd),
      path_(std::move(path)),
      opened_(opened),
      layout_(std::move(layout)),
      change_(std::move(change)),
      newSize_(layout_.size) {
    const bool tagFits = !change_.tag ||
                         (layout_.tagEnd > 0 && change_.tag->size() == layout_.tagEnd) ||
                         (layout_.tagEnd == 0 && change_.tag->empty());
    const bool tagFillsInsertion =
        change_.tag && change_.insert > 0 && change_.tag->size() == layout_.tagEnd + change_.insert;
    // TagLib's result of another length than its replaced ranges make, or of ranges too large
    // to hold, not in inserted blocks.
    const bool formatRewrite =
        change_.format && !change_.tag &&
        (change_.tooLargeInPlace || change_.format->size() != sizeAfterReplacements());
    if (!formatRewrite && (tagFits || tagFillsInsertion))
        planInPlace();
    else
        planRewrite();
}

PendingSave::~PendingSave() = default;

void PendingSave::planInPlace() {
    // Bytes inserted at the start read as zeros before the tag is written into them.
    const std::uint64_t inserted = change_.tag ? change_.insert : 0;
    UndoRecord undo{.kind = UndoRecord::Kind::InPlace,
                    .path = path_,
                    .device = opened_.st_dev,
                    .inode = opened_.st_ino,
                    .oldSize = layout_.size,
                    .newSize = layout_.size,
                    .inserted = inserted,
                    .regions = {}};
    auto region = [&](std::uint64_t offset, std::span<const std::uint8_t> oldBytes,
                      std::span<const std::uint8_t> newBytes) {
        undo.regions.push_back(UndoRegion::between(offset, oldBytes, newBytes));
        if (!newBytes.empty())
            writes_.push_back({offset, {newBytes.begin(), newBytes.end()}});
    };

    std::vector<std::uint8_t> grownTag;
    if (inserted > 0) {
        grownTag.assign(inserted, 0);
        grownTag.insert(grownTag.end(), layout_.tag.begin(), layout_.tag.end());
    }
    if (change_.tag && !change_.tag->empty())
        addChangedBlocks(undo, 0, inserted > 0 ? grownTag : layout_.tag, *change_.tag);
    for (const ChangedRange& replacement : change_.replacements) {
        // The bytes of the end of the file beyond the common length are appended or cut off,
        // as an ID3v1 tag is.
        const std::span<const std::uint8_t> from = replacement.oldBytes;
        const std::span<const std::uint8_t> to = replacement.newBytes;
        const std::size_t common = std::min(from.size(), to.size());
        addChangedBlocks(undo, replacement.offset, from.first(common), to.first(common));
        if (from.size() != to.size())
            region(replacement.offset + common, from.subspan(common), to.subspan(common));
    }

    const std::uint64_t size = sizeAfterReplacements() + inserted;
    newSize_ = size;
    switch (change_.id3v1) {
        case Change::Id3v1::Keep:
            break;
        case Change::Id3v1::Write:
            if (!layout_.id3v1) {
                region(size, {}, change_.newId3v1);
                newSize_ = size + kId3v1Size;
            } else if (*layout_.id3v1 != change_.newId3v1) {
                region(size - kId3v1Size, *layout_.id3v1, change_.newId3v1);
            }
            break;
        case Change::Id3v1::Remove:
            if (layout_.id3v1) {
                region(size - kId3v1Size, *layout_.id3v1, {});
                newSize_ = size - kId3v1Size;
            }
            break;
    }
    undo.newSize = newSize_;
    layout_.tag = {};  // what it held is in the regions now
    if (writes_.empty() && newSize_ == layout_.size)
        return;
    way_ = Way::InPlace;
    inserted_ = inserted;
    undo_ = std::move(undo);
    if (inserted > 0)
        reserveNewFileName();
}

std::uint64_t PendingSave::sizeAfterReplacements() const {
    if (change_.replacements.empty())
        return layout_.size;
    const ChangedRange& last = change_.replacements.back();
    return last.offset + last.oldBytes.size() == layout_.size ? last.offset + last.newBytes.size()
                                                              : layout_.size;
}

// Only the runs of blocks that differ are written.
void PendingSave::addChangedBlocks(UndoRecord& undo, std::uint64_t offset,
                                   std::span<const std::uint8_t> oldBytes,
                                   std::span<const std::uint8_t> newBytes) {
    std::optional<std::uint64_t> runStart;
    auto closeRun = [&](std::uint64_t end) {
        if (runStart) {
            const auto from = static_cast<std::size_t>(*runStart - offset);
            const auto length = static_cast<std::size_t>(end - *runStart);
            undo.regions.push_back(UndoRegion::between(*runStart, oldBytes.subspan(from, length),
                                                       newBytes.subspan(from, length)));
            writes_.push_back({*runStart,
                               {newBytes.begin() + static_cast<std::ptrdiff_t>(from),
                                newBytes.begin() + static_cast<std::ptrdiff_t>(from + length)}});
        }
        runStart.reset();
    };
    forEachBlock(offset, newBytes.size(), [&](std::uint64_t at, std::uint64_t length) {
        const auto from = oldBytes.subspan(static_cast<std::size_t>(at - offset),
                                           static_cast<std::size_t>(length));
        if (std::equal(from.begin(), from.end(),
                       newBytes.begin() + static_cast<std::ptrdiff_t>(at - offset)))
            closeRun(at);
        else if (!runStart)
            runStart = at;
    });
    closeRun(offset + newBytes.size());
}

void PendingSave::reserveNewFileName() {
    // The file itself when the path is a symbolic link, so that the link stays a link.
    target_ = layout_.throughLink ? base::realPath(path_) : path_;
    if (hiddenName_.empty())
        hiddenName_ = base::newHiddenName();
}

UndoRecord PendingSave::newNameRecord() const {
    return UndoRecord{.kind = UndoRecord::Kind::NewName,
                      .path = base::folderOf(target_) + "/" + hiddenName_,
                      .device = 0,
                      .inode = 0,
                      .oldSize = 0,
                      .newSize = 0,
                      .inserted = 0,
                      .regions = {}};
}

std::vector<UndoRecord> PendingSave::undoRecords() const {
    std::vector<UndoRecord> records;
    if (undo_)
        records.push_back(*undo_);
    // A file that refuses inserted blocks falls back to a new file (rewriteNow), whose name
    // must be in the journal before it can exist.
    if (way_ == Way::InPlace && !hiddenName_.empty())
        records.push_back(newNameRecord());
    return records;
}

std::size_t PendingSave::heldBytes() const {
    std::size_t held = layout_.tag.size() + (change_.tag ? change_.tag->size() : 0) +
                       (change_.format ? change_.format->heldBytes() : 0);
    for (const ChangedRange& replacement : change_.replacements)
        held += replacement.oldBytes.size() + replacement.newBytes.size();
    for (const Write& write : writes_)
        held += write.bytes.size();
    if (undo_)
        for (const UndoRegion& region : undo_->regions)
            held += region.oldBytes.size() + region.newHashes.size() * sizeof(std::uint64_t);
    return held;
}

void PendingSave::planRewrite() {
    way_ = Way::Rewrite;
    writes_.clear();
    inserted_ = 0;
    newSize_ = layout_.size;
    reserveNewFileName();
    undo_ = newNameRecord();
}

base::Outcome PendingSave::writeNewFile(const SaveProbe& probe) {
    newFile_ = std::make_unique<base::TempFile>(base::folderOf(target_), hiddenName_,
                                                probe.namedNewFiles
                                                    ? base::TempFile::Naming::Named
                                                    : base::TempFile::Naming::UnnamedWherePossible);
    base::TempFile& out = *newFile_;
    if (const std::error_code ec = out.error())
        return systemFailure(ids::kSaveFailNewFile, base::folderOf(target_), ec);
    std::error_code ec;
    const std::uint64_t audioEnd = layout_.size - (layout_.id3v1 ? kId3v1Size : 0);
    // A new tag replaces the old one, which lies wholly before the audio (the writer made
    // sure); without one everything before the ID3v1 tag is kept.
    if (change_.format) {
        if (base::Outcome written = writeFormatPieces(out); !written)
            return written;
    } else if (change_.tag) {
        ec = out.write(change_.tag->data(), change_.tag->size());
        if (!ec)
            ec = out.copyFrom(fd_.get(), layout_.tagEnd, audioEnd - layout_.tagEnd);
    } else {
        ec = out.copyFrom(fd_.get(), 0, audioEnd);
    }
    if (!ec && change_.id3v1 == Change::Id3v1::Write)
        ec = out.write(change_.newId3v1.data(), change_.newId3v1.size());
    if (!ec && change_.id3v1 == Change::Id3v1::Keep && layout_.id3v1)
        ec = out.write(layout_.id3v1->data(), layout_.id3v1->size());
    if (ec)
        return systemFailure(ids::kSaveFailWriteNewFile, target_, ec);
    if (const std::error_code attributes = out.takeAttributes(opened_))
        return systemFailure(ids::kSaveFailTakeAttributes, target_, attributes);
    if (const std::error_code attributes = out.takeExtendedAttributes(fd_.get()))
        return systemFailure(ids::kSaveFailTakeExtendedAttributes, target_, attributes);
    probe.reached(SaveStep::NewFileWritten);
    return {};
}

base::Outcome PendingSave::writeFormatPieces(base::TempFile& out) {
    for (const OverlayStream::Piece& piece : change_.format->pieces()) {
        std::error_code ec;
        if (piece.fromFile) {
            ec = out.copyFrom(fd_.get(), piece.at, piece.length);
        } else {
            const auto bytes = change_.format->writtenBytes(piece);
            ec = out.write(bytes.data(), bytes.size());
        }
        if (ec)
            return systemFailure(ids::kSaveFailWriteNewFile, target_, ec);
    }
    return {};
}

// The file system took insertions on a scratch file but refuses them for this one (an old
// block-mapped file of a converted file system, say): nothing has changed, and a new file
// holds the grown tag just as well. Should a kill follow, the undo journal still names the
// old inode, which the roll-back then reports as no longer there.
base::Outcome PendingSave::rewriteNow(const SaveProbe& probe) {
    planRewrite();
    if (base::Outcome written = writeNewFile(probe); !written)
        return written;
    if (::fdatasync(newFile_->fd()) != 0)
        return systemFailure(ids::kSaveFailFlush, target_, lastError());
    return apply(probe);
}

void PendingSave::undoInPlace() {
    if (way_ == Way::InPlace && undo_)
        (void)putBackOldBytes(fd_.get(), *undo_);  // what it could not undo, the failure covers
}

int PendingSave::newFileFd() const {
    return newFile_ ? newFile_->fd() : -1;
}

int PendingSave::fd() const {
    return placed_ ? newFile_->fd() : fd_.get();
}

SavedFile PendingSave::saved() const {
    using Id3v1 = Change::Id3v1;
    // Another format's record is read again from the file (the descriptor, no path).
    SavedFile out{.fd = fd(),
                  .stream = change_.format ? nullptr : &layout_.stream,
                  .moved = 0,
                  .endChanged = (change_.id3v1 == Id3v1::Write && !layout_.id3v1) ||
                                (change_.id3v1 == Id3v1::Remove && layout_.id3v1),
                  .id3v2 = std::nullopt,
                  .id3v1 = std::nullopt};
    if (change_.tag) {
        out.moved = static_cast<std::int64_t>(change_.tag->size()) -
                    static_cast<std::int64_t>(layout_.tagEnd);
        out.id3v2 = *change_.tag;
    }
    if (change_.id3v1 == Id3v1::Write)
        out.id3v1 = change_.newId3v1;
    return out;
}

std::string PendingSave::changedFolder() const {
    return base::folderOf(target_);
}

base::Outcome PendingSave::changedMeanwhile(const std::string& at) const {
    struct stat now {};
    struct stat named {};
    if (::fstat(fd_.get(), &now) != 0 || ::stat(at.c_str(), &named) != 0 ||
        !sameContents(now, opened_) || named.st_dev != opened_.st_dev ||
        named.st_ino != opened_.st_ino)
        return base::Failure{at, base::Message(ids::kSaveChangedMeanwhile), {}};
    return {};
}

base::Outcome PendingSave::apply(const SaveProbe& probe) {
    if (way_ == Way::Nothing)
        return {};
    if (base::Outcome same = changedMeanwhile(way_ == Way::InPlace ? path_ : target_); !same)
        return same;
    if (way_ == Way::InPlace)
        return writeInPlace(probe);

    std::error_code ec = newFile_->link();
    if (!ec) {
        probe.reached(SaveStep::NewFileLinked);
        ec = newFile_->replace(target_);
    }
    if (ec)
        return systemFailure(ids::kSaveFailPlace, target_, ec);
    placed_ = true;
    // The old file is gone from its folder: its blocks are freed once nothing holds it open,
    // and a batch of many grown files would otherwise need room for all of them twice. No
    // undo needs it, as a new file in place is never taken out again.
    fd_.reset();
    probe.reached(SaveStep::FilePlaced);
    return {};
}

base::Outcome PendingSave::writeInPlace(const SaveProbe& probe) {
    std::error_code ec;
    if (inserted_ > 0) {
        if (probe.refuseInsert || insertRange(fd_.get(), inserted_))
            return rewriteNow(probe);
        probe.reached(SaveStep::RangeInserted);
    }
    const std::uint64_t grown = layout_.size + inserted_;
    for (const Write& write : writes_) {
        // Under a probe, a block at a time: the disk may keep some blocks of one write and
        // not others. Bytes that make the file longer go in one piece, as the file's size
        // grows by one write at once.
        if (!probe.afterStep || write.offset >= grown) {
            ec = base::writeAt(fd_.get(), write.offset, write.bytes);
        } else {
            forEachBlock(
                write.offset, write.bytes.size(), [&](std::uint64_t at, std::uint64_t length) {
                    if (ec)
                        return;
                    const auto piece = std::span(write.bytes).subspan(at - write.offset, length);
                    ec = base::writeAt(fd_.get(), at, piece);
                    if (!ec)
                        probe.reached(SaveStep::BlockWritten);
                });
        }
        if (ec)
            break;
    }
    if (!ec && newSize_ < grown && ::ftruncate(fd_.get(), static_cast<off_t>(newSize_)) != 0)
        ec = lastError();
    if (ec) {
        // Whatever part of the new bytes made it in goes out again, even a block the failed
        // write left half new.
        undoInPlace();
        return systemFailure(ids::kSaveFailWrite, path_, ec);
    }
    probe.reached(SaveStep::FilePlaced);
    return {};
}

}  // namespace tw::core
