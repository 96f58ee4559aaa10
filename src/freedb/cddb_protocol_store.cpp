#include "freedb/cddb_protocol_store.h"

#include <vector>

#include "base/language.h"
#include "base/string_ids.h"
#include "freedb/album_path_check.h"
#include "freedb/freedb_category.h"
#include "freedb/line_source.h"
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

// The reply lines of "cddb read" as the xmcd reader pulls them: it stops at the closing ".",
// and refuses to go on past the reply bound.
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
        terminated_ = line == ".";
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

void CddbProtocolStore::fail(CddbErrorCode code) {
    logText(ids::kLogFailed);
    log(CddbErrorLine(code));
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
        if (!receiveLine(line))
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

bool CddbProtocolStore::query(const AlbumInfo& album, const AlbumSink& sink) {
    logText(ids::kLogRetrievingAlbumsList);
    if (album.trackCount() == 0)
        return sweepCategories(album, sink);

    const std::string command = CddbQueryCommand(album);
    if (!sendCommand(command)) {
        fail(CddbErrorCode::QuerySend);
        return false;
    }
    std::string line;
    if (!receiveLine(line)) {
        fail(CddbErrorCode::QueryReceive);
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
        fail(CddbErrorCode::QueryInvalidReply);
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
        fail(end == ReplyEnd::Broken ? CddbErrorCode::QueryReceive
                                     : CddbErrorCode::QueryInvalidReply);
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
    if (!IsUsableMatch({album.category(), discId, {}, {}}) ||
        !sendCommand("cddb read " + album.category() + ' ' + discId)) {
        fail(CddbErrorCode::ReadSend);
        return false;
    }
    std::string line;
    if (!receiveLine(line)) {
        fail(CddbErrorCode::ReadReceive);
        return false;
    }
    switch (ReplyCode(line)) {
        case 210:
            if (!quiet_)
                done();
            return readRecord(album);
        case 401:
            if (!quiet_)
                fail(CddbErrorCode::ReadNotFound);
            return false;
        case 402:
            if (!quiet_)
                fail(CddbErrorCode::ReadServerError);
            return false;
        case 403:
            if (!quiet_)
                fail(CddbErrorCode::ReadCorrupt);
            return false;
        case 409:
            if (!quiet_)
                fail(CddbErrorCode::ReadNoHandshake);
            return false;
        default:
            skipUnexpectedReply(ReplyCode(line));
            return false;
    }
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
    if (lines.terminated()) {
        if (read)
            album = std::move(record);
        return read;
    }
    if (lines.tooLong()) {
        abandonReply();
        return false;
    }
    // The reader stopped early (a bad line, or a line it takes for the start of another
    // record): the rest of the reply is dropped.
    if (!lines.broken())
        skipReplyLines();
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
        fail(errors.send);
        return false;
    }
    std::string line;
    if (!receiveLine(line)) {
        fail(errors.receive);
        return false;
    }
    if (ReplyCode(line) != 210) {
        skipUnexpectedReply(ReplyCode(line));
        fail(errors.notRetrieved);
        return false;
    }
    const ReplyEnd end = readReplyLines([&](const std::string& listed) {
        onLine(listed);
        return true;
    });
    if (end != ReplyEnd::Terminated) {
        fail(end == ReplyEnd::Broken ? errors.receive : errors.notRetrieved);
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
