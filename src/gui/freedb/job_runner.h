// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "freedb/freedb_job.h"

namespace tw::gui {

// What a window does with the reports of one job. Every member runs on the window's thread;
// an empty member ignores that report.
struct JobHandlers {
    std::function<void(const QString& line)> logLine;
    std::function<void(const QString& text)> status;
    std::function<void(freedb::FoundIn where, const freedb::AlbumInfo& album)> albumFound;
    // A retrieved album stored as the settings ask, read back from that store.
    std::function<void(freedb::FoundIn where, const freedb::AlbumInfo& album)> albumStored;
    std::function<void(const freedb::AlbumInfo& album)> albumUpdated;
    std::function<void(freedb::JobObserver::Severity severity, const QString& text)> message;
    std::function<void(const std::vector<freedb::ServerRecord>& servers)> serverList;
    std::function<void(const freedb::ServerStatistics& statistics)> statistics;
    // The last report of a job.
    std::function<void(bool success)> finished;
};

// Runs the CDDB client's jobs for one window and brings their reports to the window's
// thread, where the job's handlers run in the order the job made the reports.
//
// Ownership, which keeps the threads and the window apart:
//   - the window owns the runner and destroys it before anything its handlers use;
//   - the runner owns, per job, the job, the observer the job reports to and the object on
//     the window's thread that the reports are queued to;
//   - destroying the runner (or a finished job's entry) stops the job and waits for its
//     thread before its observer and that object go, so no report can reach a destroyed
//     window, and reports still queued for a destroyed job are dropped by Qt.
// A job ends within about a tenth of a second of its stop request (the network waits look
// at it between polls), so stopping and closing wait only that long.
//
// The proxy credentials prompt of a job is answered on the window's thread by
// `askCredentials`; the job's thread waits for the answer, or gives up when it is stopped.
class JobRunner {
public:
    using AskCredentials = std::function<bool(std::string& user, std::string& password)>;
    using MakeJob = std::function<std::unique_ptr<freedb::FreeDbJob>(
        freedb::JobObserver& observer, freedb::ProxyCredentialsPrompt prompt)>;

    explicit JobRunner(AskCredentials askCredentials = {});
    ~JobRunner();
    JobRunner(const JobRunner&) = delete;
    JobRunner& operator=(const JobRunner&) = delete;

    // Starts the job that `make` creates; its reports go to `handlers`. The job's id.
    int start(const MakeJob& make, JobHandlers handlers);
    // Asks the job to stop; it reports its end as usual. Unknown ids are ignored.
    void stop(int id);
    void stopAll();
    // Until the job's last report (finished) was handled.
    bool isRunning(int id) const;
    // Whether any job has yet to report its end.
    bool busy() const;

private:
    class Channel;
    freedb::ProxyCredentialsPrompt promptFor(Channel& channel) const;
    void forget(int id);

    AskCredentials askCredentials_;
    QObject context_;  // the removal of finished jobs is queued to it
    std::map<int, std::unique_ptr<Channel>> channels_;
    int nextId_ = 1;
};

}  // namespace tw::gui
