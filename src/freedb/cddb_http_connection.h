#pragma once

#include <functional>
#include <string>

#include "freedb/cddb_protocol_store.h"
#include "freedb/http_channel.h"

namespace tw::freedb {

// Asks the user for the proxy credentials, showing the stored ones; false when cancelled.
// Called on the job's thread; a GUI answers it by blocking on a dialog of its own thread, and
// keeps what was entered in its settings in memory for the rest of the run.
using ProxyCredentialsPrompt = std::function<bool(std::string& user, std::string& password)>;

// Which fields the web search looks in.
struct SearchFields {
    bool artists = true;
    bool titles = true;
    bool trackTitles = false;
    bool trackExtras = false;

    bool any() const { return artists || titles || trackTitles || trackExtras; }
};

// CDDB over HTTP: every command is one GET of the server's cddb.cgi path, on a connection of
// its own, directly or through the proxy of the settings. Also searches the database's web
// site and submits albums to it. The store owns its channel.
class CddbHttpConnection final : public CddbProtocolStore {
public:
    static constexpr std::size_t kMaxSearchMatches = 1000;
    static constexpr std::size_t kMaxSearchPageBytes = 8 * 1024 * 1024;

    explicit CddbHttpConnection(FreeDbSettings settings);
    ~CddbHttpConnection() override;

    // Logs where the commands will go and takes the proxy settings (asking for the proxy
    // password first when the settings want that); nothing is sent yet.
    bool open() override;
    void close() override { channel_.close(); }
    void setTrace(ProtocolTrace* trace) override { channel_.socket().setTrace(trace); }
    void setProxyCredentialsPrompt(ProxyCredentialsPrompt prompt) { prompt_ = std::move(prompt); }

    // Looks for `words` in the chosen fields on the web site; every album found goes to the
    // sink, with its category, disc id, artist and title.
    bool search(const std::string& words, const SearchFields& fields, const AlbumSink& sink);

    // Sends the album's xmcd record to the web site's submission address.
    bool submit(const AlbumInfo& album);

protected:
    bool sendCommand(const std::string& command) override;
    bool receiveLine(std::string& line) override;
    void abandonReply() override { channel_.close(); }

private:
    // Creates the socket and connects to the web site; logs the failures with the codes.
    bool connectToWebSite(CddbErrorCode createFailed, CddbErrorCode connectFailed);

    HttpChannel channel_;
    ProxyCredentialsPrompt prompt_;
    bool passwordAsked_ = false;
};

}  // namespace tw::freedb
