// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>
#include <mutex>
#include <stop_token>
#include <string_view>
#include <thread>

#include "freedb/job_observer.h"
#include "freedb/store_factory.h"

namespace tw::freedb {

// Passes a job's reports to its observer one at a time, whichever thread makes them.
class JobReporter {
public:
    explicit JobReporter(JobObserver& observer) : observer_(observer) {}

    void logLine(std::string_view line);
    void status(std::string_view text);
    void albumFound(FoundIn where, const AlbumInfo& album);
    void albumStored(FoundIn where, const AlbumInfo& album);
    void albumUpdated(const AlbumInfo& album);
    void message(JobObserver::Severity severity, std::string_view text);
    void serverList(const std::vector<ServerRecord>& servers);
    void serverStatistics(const ServerStatistics& statistics);
    void finished(bool success);

private:
    std::mutex mutex_;
    JobObserver& observer_;
};

// What a job body works with: its stores (through the factory), its reporter and its stop
// request.
class JobContext {
public:
    JobContext(StoreConfig config, JobObserver& observer, std::stop_token stop,
               ProxyCredentialsPrompt prompt);

    const StoreFactory& stores() const { return factory_; }
    const FreeDbSettings& settings() const { return factory_.config().freedb; }
    JobReporter& report() { return reporter_; }
    bool stopRequested() const { return stop_.stop_requested(); }
    const std::stop_token& stopToken() const { return stop_; }

private:
    JobReporter reporter_;
    std::stop_token stop_;
    StoreFactory factory_;
};

// A job of the CDDB client on a thread of its own (at lower priority, so the window stays
// responsive). The body's result goes to onFinished; an exception in the body ends the job
// with the message "Exception occurs during FreeDB operation!" and a failure.
//
// Stop() sets the stop request that the job, every thread it starts and every store it uses
// look at between steps (the network waits look every 100 ms). Destroying the job stops it
// and waits for its end. The observer must outlive the job.
class FreeDbJob {
public:
    using Body = std::function<bool(JobContext&)>;

    FreeDbJob(StoreConfig config, JobObserver& observer, Body body,
              ProxyCredentialsPrompt prompt = {});
    ~FreeDbJob();
    FreeDbJob(const FreeDbJob&) = delete;
    FreeDbJob& operator=(const FreeDbJob&) = delete;

    void Stop() { stop_.request_stop(); }
    // Waits until the job has ended.
    void Wait();

private:
    std::stop_source stop_;
    std::jthread thread_;
};

// Lowers the calling thread's scheduling priority a little (best effort).
void LowerThreadPriority();

}  // namespace tw::freedb
