// SPDX-License-Identifier: GPL-2.0-or-later
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
//
// Commands ask for protocol level 6. An old server refuses every command at that level, with
// an answer that names the level ("501 Illegal CDDB protocol level."); when the first command
// gets one, the store asks the server ("proto" at level 1) for the level it supports and
// sends the command again at that level (or at level 1 when the server names none), which
// the later commands keep, and the server's text is read as 8-bit text. Any other error
// answer is the command's own, and the level stays.
//
// A request that went out but whose response broke (time-out, reset, malformed framing) is
// a failure of the reply, reported when the reply is read; a connection that could not be
// made, or a proxy or server that refused the request with its HTTP status, fails sending.
class CddbHttpConnection final : public CddbProtocolStore {
public:
    static constexpr std::size_t kMaxSearchMatches = 1000;
    static constexpr std::size_t kMaxSearchPageBytes = 8 * 1024 * 1024;

    explicit CddbHttpConnection(FreeDbSettings settings);
    ~CddbHttpConnection() override;

    // Logs where the commands will go and takes the proxy settings (asking for the proxy
    // password first when the settings want that); nothing is sent yet. A proxy that answers
    // a command with 407 (credentials wanted or refused) makes the store ask once, and the
    // command goes out again with what the user entered.
    [[nodiscard]] bool open() override;
    void close() override { channel_.close(); }
    void setTrace(ProtocolTrace* trace) override { channel_.socket().setTrace(trace); }
    void setProxyCredentialsPrompt(ProxyCredentialsPrompt prompt) { prompt_ = std::move(prompt); }

    // Looks for `words` in the chosen fields on the web site; every album found goes to the
    // sink, with its category, disc id, artist and title.
    [[nodiscard]] bool search(const std::string& words, const SearchFields& fields,
                              const AlbumSink& sink);

    // Sends the album's xmcd record to the web site's submission address, with the revision
    // its submission carries (see AlbumInfo::revisionToSubmit).
    [[nodiscard]] bool submit(const AlbumInfo& album);

    // The protocol level the commands are sent at.
    unsigned protocolLevel() const { return level_; }

protected:
    [[nodiscard]] bool sendCommand(const std::string& command) override;
    [[nodiscard]] bool receiveLine(std::string& line) override;
    std::string failureReason() const override;
    void abandonReply() override { channel_.close(); }

private:
    // One GET of the command at `level`; the reply's lines then come from the channel.
    [[nodiscard]] bool request(const std::string& command, unsigned level);
    // Reads the first reply line of the first command, to see whether the server refuses
    // level 6; sends the command again at a lower level when it does.
    [[nodiscard]] bool settleProtocolLevel(const std::string& command);
    // The level the server reports as supported ("proto" at level 1); 1 when it says none.
    unsigned askSupportedLevel();
    // Asks the user for the proxy credentials, showing those of the settings; what was
    // entered replaces them in this store's settings. False when there is no prompt or the
    // user cancelled.
    bool askProxyCredentials();
    // Takes the proxy (and its credentials, when authentication is on) from the settings.
    void useProxySettings();
    // The last request failed because the proxy wants credentials (407).
    bool proxyWantsCredentials() const;
    // The last request went out, and its response broke before its status was known.
    bool responseBroke() const;
    // Creates the socket and connects to the web site; logs the failures with the codes.
    [[nodiscard]] bool connectToWebSite(CddbErrorCode createFailed, CddbErrorCode connectFailed);

    HttpChannel channel_;
    ProxyCredentialsPrompt prompt_;
    bool passwordAsked_ = false;
    bool credentialsAskedAfterRefusal_ = false;
    unsigned level_ = kModernProtocolLevel;
    bool levelSettled_ = false;
    // The first reply line, read while settling the level.
    std::optional<std::string> peeked_;
    // Why the reply of the last command broke before a line of it could be read.
    std::optional<NetFailure> replyFailure_;
};

}  // namespace tw::freedb
