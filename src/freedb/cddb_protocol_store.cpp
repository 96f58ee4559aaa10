// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/cddb_protocol_store.h"

#include <vector>

#include "base/language.h"
#include "base/string_ids.h"
#include "freedb/album_path_check.h"
#include "freedb/freedb_category.h"
#include "freedb/line_source.h"
#include "freedb/text_util.h"
#include "freedb/xmcd_reader.h"

namespace tw::freedb {

namespace ids = base::ids;

namespace {

bool hasWhiteSpaceOrControl(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) <= ' ' || c == '\x7F')
            return true;
    return false;
}

AlbumInfo albumOf(const QueryMatch& match) {
    AlbumInfo album;
    album.setCategory(match.category);
    album.setDiscId(match.discId);
    album.setArtist(match.artist);
    album.setTitle(match.title);
    return album;
}

}  // namespace

std::string CddbQueryCommand(const AlbumInfo& album) {
    std::string offsets;
    for (const AlbumTrack& track : album.tracks())
        offsets += ' ' + std::to_string(track.frameOffset());
    return "cddb query " + album.discId() + ' ' + std::to_string(album.trackCount()) + ' ' +
           offsets + ' ' + std::to_string(album.discLengthSeconds());
}

bool IsUsableMatch(const QueryMatch& match) {
    return IsSafeCategoryName(match.category) && !hasWhiteSpaceOrControl(match.category) &&
           IsValidDiscId(match.discId);
}

// The reply lines of "cddb read" as the xmcd reader pulls them, untrimmed (a blank that ends
// or begins a continued value is part of it): the reader stops at the closing ".", and
// refuses to go on past the reply bound.
class CddbProtocolStore::ReplyLines final : public LineSource {
public:
    explicit ReplyLines(CddbProtocolStore& store) : store_(store) {}

    bool receiveLine(std::string& line) override {
        if (terminated_ || tooLong_)
            return false;
        if (!store_.receiveLine(line)) {
            broken_ = true;
            return false;
        }
        bytes_ += line.size() + 1;
        if (bytes_ > kMaxReplyBytes) {
            tooLong_ = true;
            return false;
        }
        terminated_ = TrimRight(line) == ".";
        return true;
    }

    bool terminated() const { return terminated_; }
    bool broken() const { return broken_; }
    bool tooLong() const { return tooLong_; }

private:
    CddbProtocolStore& store_;
    std::size_t bytes_ = 0;
    bool terminated_ = false;
    bool broken_ = false;
    bool tooLong_ = false;
};

CddbProtocolStore::CddbProtocolStore(FreeDbSettings settings) : settings_(std::move(settings)) {}

bool CddbProtocolStore::receiveStatusLine(std::string& line) {
    if (!receiveLine(line))
        return false;
    line = std::string(Trim(line));
    return true;
}

void CddbProtocolStore::fail(CddbErrorCode code, std::string_view reason) {
    logText(ids::kLogFailed);
    log(CddbErrorLine(code, reason));
}

void CddbProtocolStore::done() {
    logText(ids::kLogDone);
}

void CddbProtocolStore::logText(int id) {
    log(base::tr(id));
}

CddbProtocolStore::ReplyEnd CddbProtocolStore::readReplyLines(
    const std::function<bool(const std::string&)>& onLine) {
    std::size_t bytes = 0;
    std::string line;
    for (;;) {
        if (!receiveStatusLine(line))
            return ReplyEnd::Broken;
        if (line == ".")
            return ReplyEnd::Terminated;
        bytes += line.size() + 1;
        if (bytes > kMaxReplyBytes || !onLine(line)) {
            abandonReply();
            return ReplyEnd::TooLong;
        }
    }
}

void CddbProtocolStore::failReply(ReplyEnd end, CddbErrorCode receiveFailed) {
    if (end == ReplyEnd::TooLong)
        fail(receiveFailed, ReplyTooLargeReason());
    else
        failTransport(receiveFailed);
}

bool CddbProtocolStore::query(const AlbumInfo& album, const AlbumSink& sink) {
    logText(ids::kLogRetrievingAlbumsList);
    if (album.trackCount() == 0)
        return sweepCategories(album, sink);

    const std::string command = CddbQueryCommand(album);
    if (!sendCommand(command)) {
        failTransport(CddbErrorCode::QuerySend);
        return false;
    }
    std::string line;
    if (!receiveStatusLine(line)) {
        failTransport(CddbErrorCode::QueryReceive);
        return false;
    }

    const unsigned code = ReplyCode(line);
    if (code == 200) {
        const std::size_t blank = line.find(' ');
        if (blank == std::string::npos) {
            fail(CddbErrorCode::QueryParse);
            return false;
        }
        if (auto match = ParseQueryResultLine(std::string_view(line).substr(blank + 1))) {
            if (!IsUsableMatch(*match)) {
                fail(CddbErrorCode::QueryParse);
                return false;
            }
            sink(albumOf(*match));
            done();
            logText(ids::kLogFoundExactMatch);
            return true;
        }
        // A result line that does not parse: the matches follow as for 210.
    } else if (code == 202) {
        done();
        logText(ids::kLogNothingFound);
        return true;
    } else if (code != 210 && code != 211) {
        skipUnexpectedReply(code);
        fail(CddbErrorCode::QueryInvalidReply, ServerAnsweredReason(line));
        return false;
    }

    std::vector<AlbumInfo> matches;
    const ReplyEnd end = readReplyLines([&](const std::string& resultLine) {
        const auto match = ParseQueryResultLine(resultLine);
        if (match && IsUsableMatch(*match))
            matches.push_back(albumOf(*match));
        return matches.size() <= kMaxMatches;
    });
    if (end != ReplyEnd::Terminated) {
        failReply(end, CddbErrorCode::QueryReceive);
        return false;
    }
    for (const AlbumInfo& match : matches)
        sink(match);
    done();
    log(base::trf(ids::kLogFoundMatches, static_cast<unsigned>(matches.size())));
    return true;
}

bool CddbProtocolStore::sweepCategories(const AlbumInfo& album, const AlbumSink& sink) {
    // Without track offsets there is nothing to query by: every category is read instead,
    // quietly, so that the albums that are not there leave no error lines.
    quiet_ = true;
    log("\r\n");
    for (const FreeDbCategory& category : FreeDbCategories()) {
        if (isStopRequested())
            break;
        AlbumInfo candidate;
        candidate.setDiscId(album.discId());
        candidate.setCategory(category.name);
        if (read(candidate))
            sink(candidate);
    }
    quiet_ = false;
    return true;
}

bool CddbProtocolStore::read(AlbumInfo& album) {
    const std::string discId = album.discId();
    if (!quiet_)
        log(base::trf(ids::kLogRetrievingAlbumInfo, discId));
    album.setSource(AlbumSource::FreeDb);
    if (!IsUsableMatch({album.category(), discId, {}, {}})) {
        fail(CddbErrorCode::ReadSend);
        return false;
    }
    if (!sendCommand("cddb read " + album.category() + ' ' + discId)) {
        failTransport(CddbErrorCode::ReadSend);
        return false;
    }
    std::string line;
    if (!receiveStatusLine(line)) {
        failTransport(CddbErrorCode::ReadReceive);
        return false;
    }
    const unsigned code = ReplyCode(line);
    if (code == 210)
        return readRecord(album);
    skipUnexpectedReply(code);
    if (quiet_)
        return false;
    switch (code) {
        case 401:
            fail(CddbErrorCode::ReadNotFound);
            break;
        case 402:
            fail(CddbErrorCode::ReadServerError);
            break;
        case 403:
            fail(CddbErrorCode::ReadCorrupt);
            break;
        case 409:
            fail(CddbErrorCode::ReadNoHandshake);
            break;
        default:
            fail(CddbErrorCode::ReadInvalidReply, ServerAnsweredReason(line));
    }
    return false;
}

bool CddbProtocolStore::readRecord(AlbumInfo& album) {
    // The record goes into a fresh album: the reader appends to titles, so a second read into
    // the same album would double them, and a failed read must leave the album as it was.
    AlbumInfo record;
    record.setCategory(album.category());
    record.setDiscId(album.discId());
    record.setSource(AlbumSource::FreeDb);
    ReplyLines lines(*this);
    const bool read = ReadXmcd(record, lines, logSink().get());
    if (lines.terminated() && read) {
        record.markAsRead();
        album = std::move(record);
        if (!quiet_)
            done();
        return true;
    }
    if (lines.tooLong()) {
        abandonReply();
    } else if (!lines.terminated() && !lines.broken()) {
        // The reader stopped early (a bad line, or a line it takes for the start of another
        // record): the rest of the reply is dropped.
        skipReplyLines();
    }
    if (quiet_)
        return false;
    if (lines.tooLong())
        fail(CddbErrorCode::ReadReceive, ReplyTooLargeReason());
    else if (lines.broken())
        failTransport(CddbErrorCode::ReadReceive);
    else
        fail(CddbErrorCode::ReadCorrupt);
    return false;
}

void CddbProtocolStore::skipReplyLines() {
    if (readReplyLines([](const std::string&) { return true; }) != ReplyEnd::Terminated)
        abandonReply();
}

void CddbProtocolStore::skipUnexpectedReply(unsigned code) {
    // By the protocol's convention a reply code with 1 in the middle announces lines up to a
    // closing ".", which must not be taken for the reply to the next command.
    if (code >= 100 && code / 10 % 10 == 1)
        skipReplyLines();
}

bool CddbProtocolStore::readListing(const std::string& command, ListingErrors errors,
                                    const std::function<void(const std::string&)>& onLine) {
    if (!sendCommand(command)) {
        failTransport(errors.send);
        return false;
    }
    std::string line;
    if (!receiveStatusLine(line)) {
        failTransport(errors.receive);
        return false;
    }
    if (ReplyCode(line) != 210) {
        skipUnexpectedReply(ReplyCode(line));
        fail(errors.notRetrieved, ServerAnsweredReason(line));
        return false;
    }
    const ReplyEnd end = readReplyLines([&](const std::string& listed) {
        onLine(listed);
        return true;
    });
    if (end != ReplyEnd::Terminated) {
        failReply(end, errors.receive);
        return false;
    }
    return true;
}
bool CddbProtocolStore::getSites(const ServerSink& sink) {
    logText(ids::kLogRetrievingServersList);
    std::vector<ServerRecord> servers;
    if (!readListing("sites",
                     {CddbErrorCode::SitesSend, CddbErrorCode::SitesReceive,
                      CddbErrorCode::SitesNotRetrieved},
                     [&](const std::string& line) { servers.push_back(ParseServerLine(line)); }))
        return false;
    for (const ServerRecord& server : servers)
        sink(server);
    done();
    return true;
}

bool CddbProtocolStore::getStatistics(ServerStatistics& statistics) {
    logText(ids::kLogRetrievingStatistics);
    ServerStatistics read;
    if (!readListing(
            "stat",
            {CddbErrorCode::StatSend, CddbErrorCode::StatReceive, CddbErrorCode::StatNotRetrieved},
            [&](const std::string& line) { ApplyStatLine(read, line); }))
        return false;
    statistics = read;
    done();
    return true;
}

}  // namespace tw::freedb
