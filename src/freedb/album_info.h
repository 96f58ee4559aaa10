// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "freedb/album_track.h"

namespace tw::freedb {

// Where an album record came from.
enum class AlbumSource : std::int32_t {
    None = -1,
    CdPlayerIni = 0,
    LocalDatabase = 1,
    FreeDb = 2,
};

// The most tracks a record may have. A disc holds at most 99; the lookup takes up to 200
// files; readers of outside records stop creating tracks here, so a hostile record cannot
// make an album grow without bound.
inline constexpr std::size_t kMaxAlbumTracks = 256;

// One album as the CDDB client passes it around: disc texts, the tracks, the disc length,
// the disc id, and the revision of the record it was read from.
//
// A plain value: copies are independent, and the album owns its tracks. The disc texts
// (artist, title, category, extended data) read as empty until one of artist, title or
// category is assigned (hasData); the year reads as empty unless the album also has tracks.
// All texts are UTF-8.
//
// The category says where a record is filed (one of the server's categories); the genre is
// the record's own free text ("Synthpop"), kept as it came.
class AlbumInfo {
public:
    bool hasData() const { return hasData_; }

    // The tracks carry their own artists.
    bool isCompilation() const { return isCompilation_; }
    // The delimiter that split the track titles into artist and title, empty otherwise.
    const std::string& compilationDelimiter() const { return compilationDelimiter_; }
    // Marks the album as a compilation whose track titles were split at `delimiter`.
    void markCompilation(std::string_view delimiter);

    AlbumSource source() const { return source_; }
    void setSource(AlbumSource source) { source_ = source; }

    // Disc texts. Assigning artist, title or category sets hasData; the others do not.
    const std::string& artist() const;
    const std::string& title() const;
    const std::string& category() const;
    const std::string& extendedData() const;
    const std::string& year() const;
    void setArtist(std::string_view text);
    void setTitle(std::string_view text);
    void setCategory(std::string_view text);
    void setExtendedData(std::string_view text) { extendedData_ = text; }
    void appendExtendedData(std::string_view text) { extendedData_ += text; }
    void setYear(std::string_view text) { year_ = text; }
    const std::string& genre() const { return genre_; }
    void setGenre(std::string_view text) { genre_ = text; }
    void appendGenre(std::string_view text) { genre_ += text; }

    // The revision of the record the album was read from; none for an album made here.
    const std::optional<std::uint32_t>& revision() const { return revision_; }
    void setRevision(std::optional<std::uint32_t> revision) { revision_ = revision; }
    // Remembers the album's texts, tracks and length as they stand now as those of the
    // record as read; the stores call it after reading a record.
    void markAsRead() { readFingerprint_.value = fingerprint(); }
    // The same, with the texts of `record` (the copy a store holds) as those read; an album
    // measured against a copy that holds edits of its own holds them too.
    void markAsReadAs(const AlbumInfo& record) {
        readFingerprint_.value = record.fingerprint();
        readFingerprint_.editedAfterRevision = record.readFingerprint_.editedAfterRevision;
    }
    // Marks the album as holding edits made after its revision was read: a stored copy of
    // an edited album, which must still go out as a correction however often it is read
    // back. Marking it as read later does not undo this.
    void markEditedAfterRevision() { readFingerprint_.editedAfterRevision = true; }
    // Whether anything the record carries changed since markAsRead; true when it was never
    // marked, or when it holds edits made after its revision.
    bool editedSinceRead() const;
    // The revision a submission carries: 0 for an album that has none, the revision as read
    // when nothing changed, and one more for a correction (edited since read).
    std::uint32_t revisionToSubmit() const;

    // The disc id as stored: assigned from where the record was found, or by ComputeDiscId.
    const std::string& storedDiscId() const { return discId_; }
    // The disc id: the stored one, else computed from the tracks (empty without tracks).
    // An assigned id is never recomputed.
    std::string discId() const;
    // Assigns the id in lower case, however the user, a server or a file spelled it: it
    // names files and records, which must not exist twice for one disc.
    void setDiscId(std::string_view id);

    std::uint32_t discLengthSeconds() const { return discLengthSeconds_; }
    void setDiscLengthSeconds(std::uint32_t seconds) { discLengthSeconds_ = seconds; }
    // The disc length as "mm:ss" or "hh:mm:ss".
    std::string lengthText() const;

    const std::vector<AlbumTrack>& tracks() const { return tracks_; }
    std::size_t trackCount() const { return tracks_.size(); }
    // An existing track; `index` must be below trackCount().
    AlbumTrack& track(std::size_t index) { return tracks_[index]; }
    const AlbumTrack& track(std::size_t index) const { return tracks_[index]; }
    // Track `index`, appending empty tracks until it exists (for the readers of stored
    // records). Null when `index` is kMaxAlbumTracks or more.
    AlbumTrack* trackAt(std::size_t index);
    // Gives the existing track `index` its own artist, which makes the album a compilation.
    void setTrackArtist(std::size_t index, std::string_view artist);

    // Where the track ends, in frames: the next track's start, or the disc end for the last
    // track; 0 when the track's own start is unknown.
    std::uint32_t trackEnd(std::size_t index) const;
    // Frames from the track's start to its end; 0 when its start is unknown.
    std::uint32_t trackLength(std::size_t index) const;
    std::uint32_t trackSeconds(std::size_t index) const { return trackLength(index) / 75; }
    std::string trackLengthText(std::size_t index) const;

    // Back to the state of a new album.
    void clear();

    bool operator==(const AlbumInfo&) const = default;

private:
    // Book-keeping of what was read, not part of the album's value: equal albums stay
    // equal whatever they were read as.
    struct ReadFingerprint {
        std::optional<std::uint64_t> value;
        bool editedAfterRevision = false;
        bool operator==(const ReadFingerprint&) const { return true; }
    };

    // A hash of everything a record carries except its place (category, disc id).
    std::uint64_t fingerprint() const;

    bool hasData_ = false;
    bool isCompilation_ = false;
    std::string compilationDelimiter_;
    AlbumSource source_ = AlbumSource::None;
    std::vector<AlbumTrack> tracks_;
    std::uint32_t discLengthSeconds_ = 0;
    std::string discId_;
    std::string artist_;
    std::string title_;
    std::string category_;
    std::string year_;
    std::string genre_;
    std::string extendedData_;
    std::optional<std::uint32_t> revision_;
    ReadFingerprint readFingerprint_;
};

// Seconds as "mm:ss", or "hh:mm:ss" from one hour on; each number at least two digits.
std::string FormatLength(std::uint32_t seconds);

}  // namespace tw::freedb
