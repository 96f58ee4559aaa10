// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "freedb/album_store.h"
#include "freedb/cddb_error.h"
#include "freedb/cddb_reply.h"
#include "freedb/freedb_settings.h"

namespace tw::freedb {

class ProtocolTrace;

using ServerSink = std::function<void(const ServerRecord&)>;

// The CDDB commands shared by the two network stores: "cddb query", "cddb read", "sites" and
// "stat", their reply parsing and their log lines. The subclasses only carry a command line
// to the server and its reply lines back (over one TCP connection, or one HTTP request per
// command).
//
// Replies are bounded: a query yields at most kMaxMatches matches and a reply at most
// kMaxReplyBytes of text; a reply past a bound, or one that breaks off before its closing
// ".", fails the command. Categories and disc ids from a server are checked before they go
// anywhere else, and the store never sends a category or disc id that could break the
// command line. A failed command logs one error line that says why, as far as the reason
// is known: the server's own reply, a reply too large, or what the network did (see
// NetFailure: a refused, reset or closed connection, a malformed HTTP response, ...).
//
// The store keeps a copy of the settings it was made with.
class CddbProtocolStore : public AlbumStore {
public:
    static constexpr std::size_t kMaxMatches = 1000;
    static constexpr std::size_t kMaxReplyBytes = 1024 * 1024;

    explicit CddbProtocolStore(FreeDbSettings settings);

    [[nodiscard]] bool query(const AlbumInfo& album, const AlbumSink& sink) override;
    [[nodiscard]] bool read(AlbumInfo& album) override;
    [[nodiscard]] bool getSites(const ServerSink& sink);
    [[nodiscard]] bool getStatistics(ServerStatistics& statistics);

    // Where the protocol lines go for the full log (not owned; may be null).
    virtual void setTrace(ProtocolTrace* trace) = 0;

    const FreeDbSettings& settings() const { return settings_; }

protected:
    // Sends one command; the reply lines then come from receiveLine.
    [[nodiscard]] virtual bool sendCommand(const std::string& command) = 0;
    // The next reply line as it came, without its line end (see DecodeServerLine). A failed
    // receive leaves the connection out of step with the server; the subclass then closes
    // it, so that later commands fail at once instead of reading stale lines.
    [[nodiscard]] virtual bool receiveLine(std::string& line) = 0;
    // Why the last sendCommand or receiveLine failed, as a reason for the error line; empty
    // when there is nothing to say beyond the step's own error text.
    virtual std::string failureReason() const = 0;
    // The reply in progress will not be read to its end: the subclass drops the connection,
    // so the next command does not read the rest as its own reply.
    virtual void abandonReply() = 0;

    // A status or list line: receiveLine, with white space trimmed at both ends.
    [[nodiscard]] bool receiveStatusLine(std::string& line);

    // Ends the held progress text with "failed." and logs the error line, with `reason` in
    // place of the code's text when one is given.
    void fail(CddbErrorCode code, std::string_view reason = {});
    // The same for a failed send or receive, with the failureReason() of the transport.
    void failTransport(CddbErrorCode code) { fail(code, failureReason()); }
    // Ends the held progress text with "done.".
    void done();
    void logText(int id);

    FreeDbSettings& mutableSettings() { return settings_; }

private:
    enum class ReplyEnd { Terminated, Broken, TooLong };
    class ReplyLines;

    // Reads the (trimmed) lines of a multi-line reply up to its "."; `onLine` returns false
    // to stop the reply at a bound of its own.
    ReplyEnd readReplyLines(const std::function<bool(const std::string&)>& onLine);
    // Logs the failure of a multi-line reply that did not end with its ".".
    void failReply(ReplyEnd end, CddbErrorCode receiveFailed);
    void skipReplyLines();
    void skipUnexpectedReply(unsigned code);
    // What a listing command reports when its sending, its receiving or the server fails.
    struct ListingErrors {
        CddbErrorCode send;
        CddbErrorCode receive;
        CddbErrorCode notRetrieved;
    };
    // Sends `command` and reads its "210" listing to the end, each line to `onLine`; false
    // after the failure was reported.
    [[nodiscard]] bool readListing(const std::string& command, ListingErrors errors,
                                   const std::function<void(const std::string&)>& onLine);
    [[nodiscard]] bool sweepCategories(const AlbumInfo& album, const AlbumSink& sink);
    [[nodiscard]] bool readRecord(AlbumInfo& album);

    FreeDbSettings settings_;
    bool quiet_ = false;
};

// The "cddb query" line of an album with tracks: disc id, track count, each track's start
// in frames (every one with its own leading blank) and the disc length in seconds.
std::string CddbQueryCommand(const AlbumInfo& album);

// Whether a category or disc id from outside may be used: in a command line, as a folder or
// file name. A category is one word that is a safe folder name; a disc id is eight
// hexadecimal digits.
bool IsUsableMatch(const QueryMatch& match);

}  // namespace tw::freedb
