// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <stop_token>
#include <string_view>

#include "freedb/album_info.h"
#include "freedb/album_log.h"

namespace tw::freedb {

// Receives the records a query or a listing finds, one call per record, on the thread that
// runs the store.
using AlbumSink = std::function<void(const AlbumInfo&)>;

// The common face of the four album sources: the CD-player INI, the local album database and
// the two CDDB connections (TCP and HTTP).
//
// A store belongs to the one job or window that made it and is used by one thread at a time;
// only the stop request is shared. Jobs open a store at their start and close it at their end.
// Operations report success as a boolean; a failure leaves the caller's album as it was unless
// the operation says otherwise, and the reason goes to the store's log.
class AlbumStore {
public:
    AlbumStore() = default;
    virtual ~AlbumStore() = default;
    AlbumStore(const AlbumStore&) = delete;
    AlbumStore& operator=(const AlbumStore&) = delete;

    [[nodiscard]] virtual bool open() = 0;
    virtual void close() = 0;

    // Finds the records of `album`'s disc id and passes each to `sink`.
    [[nodiscard]] virtual bool query(const AlbumInfo& album, const AlbumSink& sink) = 0;
    // Fills `album`, which carries the disc id (and the category, where the store needs it),
    // with the stored record, and sets its source.
    [[nodiscard]] virtual bool read(AlbumInfo& album) = 0;
    // Stores the record; stores that cannot write answer false. Callers remove an existing
    // record of the same disc id first, since a store may otherwise keep both.
    [[nodiscard]] virtual bool write(const AlbumInfo& album);
    // Removes the record of `album`'s disc id (and category, where the store has them).
    [[nodiscard]] virtual bool remove(const AlbumInfo& album);
    // Passes every stored record to `sink`; gives up when the stop request comes.
    [[nodiscard]] virtual bool listAll(const AlbumSink& sink);

    // The log the store writes to; none by default. Shared with the job that owns the store.
    void setLog(std::shared_ptr<AlbumLog> log) { log_ = std::move(log); }
    const std::shared_ptr<AlbumLog>& logSink() const { return log_; }

    // The stop request of the running job. Long operations look at it between steps.
    void setStopToken(std::stop_token token) { stop_ = std::move(token); }
    const std::stop_token& stopToken() const { return stop_; }
    bool isStopRequested() const { return stop_.stop_requested(); }

protected:
    // Writes `text` to the log, when there is one (see AlbumLog for the form of texts).
    void log(std::string_view text) const;

private:
    std::shared_ptr<AlbumLog> log_;
    std::stop_token stop_;
};

}  // namespace tw::freedb
