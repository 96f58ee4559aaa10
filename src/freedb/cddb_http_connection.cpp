#include "freedb/cddb_http_connection.h"

#include "base/language.h"
#include "base/string_ids.h"
#include "base/text.h"
#include "freedb/cddb_connection.h"
#include "freedb/client_identity.h"
#include "freedb/hello_words.h"
#include "freedb/http_text.h"
#include "freedb/search_page_scanner.h"
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
    HttpProxy proxy{s.proxyServer, PortNumber(s.proxyPort), false, {}, {}};
    if (s.useProxyAuth()) {
        if (s.askProxyPassword() && !passwordAsked_ && prompt_) {
            std::string user = s.proxyUser;
            std::string password = s.proxyPassword;
            if (prompt_(user, password))
                s.proxyUser = user;
            s.proxyPassword = password;
        }
        proxy.authenticate = true;
        proxy.user = s.proxyUser;
        proxy.password = s.proxyPassword;
    }
    channel_.setProxy(proxy);
    return true;
}

bool CddbHttpConnection::sendCommand(const std::string& command) {
    const FreeDbSettings& s = settings();
    const std::string url = s.remoteHttpPath + "?cmd=" + UrlEncode(command) +
                            "&hello=" + UrlEncode(HelloWords(s.emailAddress)) + "&proto=6";
    channel_.socket().setTimeout(s.timeout);
    passwordAsked_ = true;
    if (!channel_.create() || !channel_.connect(s.remoteServer, PortNumber(s.remotePort)) ||
        !channel_.sendRequest(url, false)) {
        channel_.close();
        return false;
    }
    return true;
}

bool CddbHttpConnection::receiveLine(std::string& line) {
    return channel_.receiveLine(line);
}

bool CddbHttpConnection::connectToWebSite(CddbErrorCode createFailed, CddbErrorCode connectFailed) {
    if (!channel_.create()) {
        fail(createFailed);
        return false;
    }
    channel_.socket().setTimeout(FreeDbSettings::kDefaultTimeout);
    if (!channel_.connect(settings().webHost, settings().webPort)) {
        channel_.close();
        fail(connectFailed);
        return false;
    }
    return true;
}

bool CddbHttpConnection::search(const std::string& words, const SearchFields& fields,
                                const AlbumSink& sink) {
    if (!fields.any())
        return true;
    channel_.socket().setStopToken(stopToken());
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
        fail(CddbErrorCode::SearchSend);
        return false;
    }
    done();
    logText(ids::kLogReceivingSearchResults);

    const FreeDbSettings& s = settings();
    const std::string site =
        s.webPort == 80 ? s.webHost : s.webHost + ':' + std::to_string(s.webPort);
    SearchPageScanner scanner("http://" + site + "/freedb_search_fmt.php?cat=");
    std::size_t found = 0;
    std::size_t pageBytes = 0;
    std::string line;
    while (found < kMaxSearchMatches && pageBytes < kMaxSearchPageBytes &&
           channel_.receiveLine(line) && !SearchPageScanner::IsEndLine(line)) {
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
    const std::string body = WriteXmcd(album);
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
        fail(CddbErrorCode::SubmitSend);
        return false;
    }
    std::string line;
    if (!channel_.receiveLine(line)) {
        channel_.close();
        fail(CddbErrorCode::SubmitReceive);
        return false;
    }
    channel_.close();
    if (ReplyCode(line) != 200) {
        fail(CddbErrorCode::SubmitRejected);
        return false;
    }
    done();
    return true;
}

}  // namespace tw::freedb
