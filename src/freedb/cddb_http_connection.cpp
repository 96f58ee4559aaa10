// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/cddb_http_connection.h"

#include <algorithm>

#include "base/language.h"
#include "base/string_ids.h"
#include "base/text.h"
#include "freedb/cddb_connection.h"
#include "freedb/client_identity.h"
#include "freedb/hello_words.h"
#include "freedb/http_text.h"
#include "freedb/search_page_scanner.h"
#include "freedb/text_util.h"
#include "freedb/xmcd_writer.h"

namespace tw::freedb {

namespace ids = base::ids;

CddbHttpConnection::CddbHttpConnection(FreeDbSettings settings)
    : CddbProtocolStore(std::move(settings)) {}

CddbHttpConnection::~CddbHttpConnection() {
    channel_.close();
}

bool CddbHttpConnection::open() {
    channel_.socket().setStopToken(stopToken());
    FreeDbSettings& s = mutableSettings();
    log(base::trf(ids::kLogConnecting, s.remoteServer, s.remotePort, s.timeout));
    if (!s.useProxy()) {
        channel_.setProxy(std::nullopt);
        return true;
    }
    log(base::trf(ids::kLogConnectingThroughProxy, s.proxyServer, s.proxyPort));
    if (s.useProxyAuth() && s.askProxyPassword() && !passwordAsked_)
        askProxyCredentials();
    useProxySettings();
    return true;
}

bool CddbHttpConnection::askProxyCredentials() {
    if (!prompt_)
        return false;
    FreeDbSettings& s = mutableSettings();
    std::string user = s.proxyUser;
    std::string password = s.proxyPassword;
    const bool confirmed = prompt_(user, password);
    if (confirmed)
        s.proxyUser = user;
    s.proxyPassword = password;
    return confirmed;
}

void CddbHttpConnection::useProxySettings() {
    const FreeDbSettings& s = settings();
    HttpProxy proxy{s.proxyServer, PortNumber(s.proxyPort), false, {}, {}};
    if (s.useProxyAuth()) {
        proxy.authenticate = true;
        proxy.user = s.proxyUser;
        proxy.password = s.proxyPassword;
    }
    channel_.setProxy(proxy);
}

bool CddbHttpConnection::proxyWantsCredentials() const {
    return channel_.proxy() && channel_.lastFailure().kind == NetFailure::Kind::ErrorStatus &&
           channel_.response().statusCode() == 407;
}

bool CddbHttpConnection::responseBroke() const {
    const NetFailure::Kind kind = channel_.lastFailure().kind;
    return channel_.requestSent() && kind != NetFailure::Kind::ErrorStatus &&
           kind != NetFailure::Kind::Redirected;
}

bool CddbHttpConnection::request(const std::string& command, unsigned level) {
    const FreeDbSettings& s = settings();
    const std::string url = EncodeRequestPath(s.remoteHttpPath) + "?cmd=" + UrlEncode(command) +
                            "&hello=" + UrlEncode(HelloWords(s.emailAddress)) +
                            "&proto=" + std::to_string(level);
    channel_.socket().setTimeout(s.timeout);
    channel_.setCharset(level < kModernProtocolLevel ? ServerCharset::EightBit
                                                     : ServerCharset::Utf8);
    passwordAsked_ = true;
    replyFailure_.reset();
    const auto send = [&] {
        return channel_.create() &&
               channel_.connect(settings().remoteServer, PortNumber(settings().remotePort)) &&
               channel_.sendRequest(url, false);
    };
    bool sent = send();
    // A proxy that refuses the credentials (or wants some) gets one more try with what the
    // user enters then; once per store, so a wrong password does not ask again and again.
    if (!sent && proxyWantsCredentials() && !credentialsAskedAfterRefusal_) {
        credentialsAskedAfterRefusal_ = true;
        channel_.close();
        if (askProxyCredentials()) {
            mutableSettings().setOption(FreeDbSettings::kOptionProxyAuth, true);
            useProxySettings();
            sent = send();
        }
    }
    if (sent)
        return true;
    channel_.close();
    if (responseBroke()) {
        replyFailure_ = channel_.lastFailure();
        return true;
    }
    return false;
}

bool CddbHttpConnection::sendCommand(const std::string& command) {
    peeked_.reset();
    if (!request(command, level_))
        return false;
    return levelSettled_ || replyFailure_ || settleProtocolLevel(command);
}

bool CddbHttpConnection::settleProtocolLevel(const std::string& command) {
    std::string first;
    if (!channel_.receiveLine(first)) {
        replyFailure_ = channel_.lastFailure();
        return true;
    }
    if (!RefusesProtocolLevel(first)) {
        levelSettled_ = true;
        peeked_ = std::move(first);
        return true;
    }
    const unsigned supported = askSupportedLevel();
    levelSettled_ = true;
    if (supported >= kModernProtocolLevel) {
        peeked_ = std::move(first);
        return true;
    }
    level_ = supported;
    log(base::trf(ids::kLogProtocolLevelFallback, level_));
    return request(command, level_);
}

unsigned CddbHttpConnection::askSupportedLevel() {
    std::string line;
    unsigned supported = 0;
    if (request("proto", 1) && !replyFailure_ && channel_.receiveLine(line) &&
        ReplyCode(Trim(line)) == 200)
        supported = ParseProtocolLevels(line).supported;
    channel_.close();
    replyFailure_.reset();
    return std::max(supported, 1u);
}

bool CddbHttpConnection::receiveLine(std::string& line) {
    if (replyFailure_)
        return false;
    if (peeked_) {
        line = std::move(*peeked_);
        peeked_.reset();
        return true;
    }
    return channel_.receiveLine(line);
}

std::string CddbHttpConnection::failureReason() const {
    return NetFailureReason(replyFailure_ ? *replyFailure_ : channel_.lastFailure());
}

bool CddbHttpConnection::connectToWebSite(CddbErrorCode createFailed, CddbErrorCode connectFailed) {
    if (!channel_.create()) {
        fail(createFailed);
        return false;
    }
    channel_.socket().setTimeout(FreeDbSettings::kDefaultTimeout);
    channel_.setCharset(ServerCharset::Utf8);
    if (!channel_.connect(settings().webHost, settings().webPort)) {
        channel_.close();
        failTransport(connectFailed);
        return false;
    }
    return true;
}

bool CddbHttpConnection::search(const std::string& words, const SearchFields& fields,
                                const AlbumSink& sink) {
    if (!fields.any())
        return true;
    channel_.socket().setStopToken(stopToken());
    // The store may have been opened for another host: the log names where the search goes.
    const FreeDbSettings& s = settings();
    log(base::trf(ids::kLogConnecting, s.webHost, std::to_string(s.webPort),
                  FreeDbSettings::kDefaultTimeout));
    if (const auto& proxy = channel_.proxy())
        log(base::trf(ids::kLogConnectingThroughProxy, proxy->host, std::to_string(proxy->port)));
    logText(ids::kLogSendingSearchQuery);
    if (!connectToWebSite(CddbErrorCode::SearchCreateSocket, CddbErrorCode::SearchConnect))
        return false;

    std::string path =
        "/freedb_search.php?words=" + UrlEncode(words) + "&allfields=NO&grouping=none";
    if (fields.artists)
        path += "&fields=artist";
    if (fields.titles)
        path += "&fields=title";
    if (fields.trackTitles)
        path += "&fields=track";
    if (fields.trackExtras)
        path += "&fields=rest";
    path += "&allcats=YES";
    if (!channel_.sendRequest(path, false)) {
        channel_.close();
        failTransport(CddbErrorCode::SearchSend);
        return false;
    }
    done();
    logText(ids::kLogReceivingSearchResults);

    const std::string site =
        s.webPort == 80 ? s.webHost : s.webHost + ':' + std::to_string(s.webPort);
    SearchPageScanner scanner("http://" + site + "/freedb_search_fmt.php?cat=");
    std::size_t found = 0;
    std::size_t pageBytes = 0;
    std::string line;
    while (found < kMaxSearchMatches && pageBytes < kMaxSearchPageBytes &&
           channel_.receiveLine(line) && !SearchPageScanner::IsEndLine(Trim(line))) {
        pageBytes += line.size() + 1;
        const auto match = scanner.ScanLine(line);
        if (!match || !IsUsableMatch(*match))
            continue;
        AlbumInfo album;
        album.setCategory(match->category);
        album.setDiscId(match->discId);
        album.setArtist(match->artist);
        album.setTitle(match->title);
        sink(album);
        ++found;
    }
    channel_.close();
    done();
    if (found == 0) {
        logText(ids::kLogNothingFound);
    } else if (found == 1) {
        logText(ids::kLogFoundExactMatch);
    } else {
        log(base::trf(ids::kLogFoundMatches, static_cast<unsigned>(found)));
    }
    return true;
}

bool CddbHttpConnection::submit(const AlbumInfo& album) {
    channel_.socket().setStopToken(stopToken());
    logText(ids::kLogSubmittingAlbum);
    if (!connectToWebSite(CddbErrorCode::SubmitCreateSocket, CddbErrorCode::SubmitConnect))
        return false;
    AlbumInfo record = album;
    record.setRevision(album.revisionToSubmit());
    const std::string body = WriteXmcd(record);
    if (!base::isValidUtf8(body)) {
        channel_.close();
        fail(CddbErrorCode::SubmitQuery);
        return false;
    }
    const std::string headers =
        "Category: " + album.category() + "\n" + "Discid: " + album.discId() + "\n" +
        "User-Email: " + settings().submitEmailAddress + "\n" + "Submit-Mode: submit\n" +
        "Charset: UTF-8\n" + "X-Cddbd-Note: " + std::string(kClientName) + "\n" +
        "Content-Length: " + std::to_string(body.size()) + "\n";
    if (!channel_.sendRequest("/~cddb/submit.cgi", true, headers, body)) {
        channel_.close();
        failTransport(responseBroke() ? CddbErrorCode::SubmitReceive : CddbErrorCode::SubmitSend);
        return false;
    }
    std::string line;
    if (!channel_.receiveLine(line)) {
        channel_.close();
        failTransport(CddbErrorCode::SubmitReceive);
        return false;
    }
    channel_.close();
    line = std::string(Trim(line));
    if (ReplyCode(line) != 200) {
        fail(CddbErrorCode::SubmitRejected, ServerAnsweredReason(line));
        return false;
    }
    done();
    return true;
}

}  // namespace tw::freedb
