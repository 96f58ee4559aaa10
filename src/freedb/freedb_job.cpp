// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/freedb_job.h"

#include <sys/resource.h>
#include <unistd.h>

#include "base/language.h"
#include "base/string_ids.h"

namespace tw::freedb {

void JobReporter::logLine(std::string_view line) {
    const std::lock_guard lock(mutex_);
    observer_.onLogLine(line);
}

void JobReporter::status(std::string_view text) {
    const std::lock_guard lock(mutex_);
    observer_.onStatus(text);
}

void JobReporter::albumFound(FoundIn where, const AlbumInfo& album) {
    const std::lock_guard lock(mutex_);
    observer_.onAlbumFound(where, album);
}

void JobReporter::albumStored(FoundIn where, const AlbumInfo& album) {
    const std::lock_guard lock(mutex_);
    observer_.onAlbumStored(where, album);
}

void JobReporter::albumUpdated(const AlbumInfo& album) {
    const std::lock_guard lock(mutex_);
    observer_.onAlbumUpdated(album);
}

void JobReporter::message(JobObserver::Severity severity, std::string_view text) {
    const std::lock_guard lock(mutex_);
    observer_.onMessage(severity, text);
}

void JobReporter::serverList(const std::vector<ServerRecord>& servers) {
    const std::lock_guard lock(mutex_);
    observer_.onServerList(servers);
}

void JobReporter::serverStatistics(const ServerStatistics& statistics) {
    const std::lock_guard lock(mutex_);
    observer_.onServerStatistics(statistics);
}

void JobReporter::finished(bool success) {
    const std::lock_guard lock(mutex_);
    observer_.onFinished(success);
}

JobContext::JobContext(StoreConfig config, JobObserver& observer, std::stop_token stop,
                       ProxyCredentialsPrompt prompt)
    : reporter_(observer),
      stop_(stop),
      factory_(std::move(config), stop,
               [this](std::string_view line) { reporter_.logLine(line); }) {
    factory_.setProxyCredentialsPrompt(std::move(prompt));
}

void LowerThreadPriority() {
    const int current = ::getpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()));
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), current + 1);
}

FreeDbJob::FreeDbJob(StoreConfig config, JobObserver& observer, Body body,
                     ProxyCredentialsPrompt prompt) {
    thread_ = std::jthread([this, config = std::move(config), &observer, body = std::move(body),
                            prompt = std::move(prompt)](std::stop_token) mutable {
        LowerThreadPriority();
        JobContext context(std::move(config), observer, stop_.get_token(), std::move(prompt));
        bool success = false;
        try {
            success = body(context);
        } catch (...) {
            context.report().message(JobObserver::Severity::Error,
                                     base::tr(base::ids::kMsgFreeDbException));
        }
        context.report().finished(success);
    });
}

FreeDbJob::~FreeDbJob() {
    Stop();
    Wait();
}

void FreeDbJob::Wait() {
    if (thread_.joinable())
        thread_.join();
}

}  // namespace tw::freedb
