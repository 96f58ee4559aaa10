// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tw::freedb {

class AlbumInfo;

// One track of an album: its texts and where it starts on the disc.
//
// Tracks live inside their AlbumInfo, which creates them and keeps their index in step with
// their position. Everything that needs the neighbouring tracks (the end, the length) is
// asked of the album. The track artist is set through AlbumInfo::setTrackArtist, because
// giving a track its own artist makes the album a compilation.
class AlbumTrack {
public:
    // frameOffset of a track whose start is unknown (tracks read from the CD-player INI).
    static constexpr std::uint32_t kNoOffset = 0xFFFFFFFF;

    explicit AlbumTrack(std::uint32_t index) : index_(index) {}

    std::uint32_t index() const { return index_; }
    const std::string& title() const { return title_; }
    const std::string& artist() const { return artist_; }
    const std::string& extraData() const { return extraData_; }

    // Start of the track in CD frames (75 per second); kNoOffset when unknown.
    std::uint32_t frameOffset() const { return frameOffset_; }
    bool hasFrameOffset() const { return frameOffset_ != kNoOffset; }
    void setFrameOffset(std::uint32_t frames) { frameOffset_ = frames; }

    // Set once a non-empty title, artist or extra text was replaced by a different one.
    bool modified() const { return modified_; }

    // With `append` the value continues the current text (the continuation lines of xmcd);
    // otherwise it replaces it, marking the track modified when a non-empty text changes.
    void setTitle(std::string_view value, bool append);
    void setExtraData(std::string_view value, bool append);

    bool operator==(const AlbumTrack&) const = default;

private:
    friend class AlbumInfo;
    friend bool ParseCompilation(AlbumInfo& album, std::string_view delimiter);
    void setArtist(std::string_view value) { replace(artist_, value); }
    void replace(std::string& field, std::string_view value);

    std::string title_;
    std::string artist_;
    std::string extraData_;
    std::uint32_t frameOffset_ = kNoOffset;
    bool modified_ = false;
    std::uint32_t index_ = 0;
};

}  // namespace tw::freedb
