#pragma once

#include <cstddef>
#include <cstdint>
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

// One album as the CDDB client passes it around: disc texts, the tracks, the disc length
// and the disc id.
//
// A plain value: copies are independent, and the album owns its tracks. The disc texts
// (artist, title, category, extended data) read as empty until one of artist, title or
// category is assigned (hasData); the year reads as empty unless the album also has tracks.
// All texts are UTF-8.
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

    // The disc id as stored: assigned from where the record was found, or by ComputeDiscId.
    const std::string& storedDiscId() const { return discId_; }
    // The disc id: the stored one, else computed from the tracks (empty without tracks).
    // An assigned id is never recomputed.
    std::string discId() const;
    void setDiscId(std::string_view id) { discId_ = id; }

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
    std::string extendedData_;
};

// Seconds as "mm:ss", or "hh:mm:ss" from one hour on; each number at least two digits.
std::string FormatLength(std::uint32_t seconds);

}  // namespace tw::freedb
