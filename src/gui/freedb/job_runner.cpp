// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/freedb/job_runner.h"

#include <atomic>
#include <chrono>
#include <future>

#include "gui/qt_text.h"

namespace tw::gui {

namespace {

using freedb::AlbumInfo;
using freedb::FoundIn;

}  // namespace

// One job with its observer: each report is queued, with a copy of its data, to `receiver`
// on the window's thread.
class JobRunner::Channel final : public freedb::JobObserver {
public:
    Channel(JobRunner& runner, int id, JobHandlers handlers)
        : runner_(runner), id_(id), handlers_(std::make_shared<JobHandlers>(std::move(handlers))) {}

    ~Channel() override {
        // The thread must be gone before the observer and the receiver are.
        stop();
        job.reset();
    }

    void stop() {
        cancelled->store(true);
        if (job)
            job->Stop();
    }

    void onLogLine(std::string_view line) override {
        post([text = qs(line)](const JobHandlers& h) {
            if (h.logLine)
                h.logLine(text);
        });
    }
    void onStatus(std::string_view text) override {
        post([text = qs(text)](const JobHandlers& h) {
            if (h.status)
                h.status(text);
        });
    }
    void onAlbumFound(FoundIn where, const AlbumInfo& album) override {
        post([where, album](const JobHandlers& h) {
            if (h.albumFound)
                h.albumFound(where, album);
        });
    }
    void onAlbumStored(FoundIn where, const AlbumInfo& album) override {
        post([where, album](const JobHandlers& h) {
            if (h.albumStored)
                h.albumStored(where, album);
            else if (h.albumFound)
                h.albumFound(where, album);
        });
    }
    void onAlbumUpdated(const AlbumInfo& album) override {
        post([album](const JobHandlers& h) {
            if (h.albumUpdated)
                h.albumUpdated(album);
        });
    }
    void onMessage(Severity severity, std::string_view text) override {
        post([severity, text = qs(text)](const JobHandlers& h) {
            if (h.message)
                h.message(severity, text);
        });
    }
    void onServerList(const std::vector<freedb::ServerRecord>& servers) override {
        post([servers](const JobHandlers& h) {
            if (h.serverList)
                h.serverList(servers);
        });
    }
    void onServerStatistics(const freedb::ServerStatistics& statistics) override {
        post([statistics](const JobHandlers& h) {
            if (h.statistics)
                h.statistics(statistics);
        });
    }
    void onFinished(bool success) override {
        JobRunner* runner = &runner_;
        const int id = id_;
        Channel* self = this;
        post([success, runner, id, self](const JobHandlers& h) {
            self->ended = true;
            // The entry goes after this report was handled, from a later event: this one
            // runs on the receiver that goes with it.
            QMetaObject::invokeMethod(
                &runner->context_, [runner, id] { runner->forget(id); }, Qt::QueuedConnection);
            if (h.finished)
                h.finished(success);
        });
    }

    QObject receiver;
    bool ended = false;  // the last report was taken (window's thread only)
    std::shared_ptr<std::atomic<bool>> cancelled = std::make_shared<std::atomic<bool>>(false);
    std::unique_ptr<freedb::FreeDbJob> job;

private:
    template <typename Report>
    void post(Report report) {
        QMetaObject::invokeMethod(
            &receiver, [handlers = handlers_, report = std::move(report)] { report(*handlers); },
            Qt::QueuedConnection);
    }

    JobRunner& runner_;
    const int id_;
    std::shared_ptr<const JobHandlers> handlers_;
};

JobRunner::JobRunner(AskCredentials askCredentials) : askCredentials_(std::move(askCredentials)) {}

JobRunner::~JobRunner() {
    stopAll();
    channels_.clear();
}

int JobRunner::start(const MakeJob& make, JobHandlers handlers) {
    const int id = nextId_++;
    auto channel = std::make_unique<Channel>(*this, id, std::move(handlers));
    Channel& ref = *channel;
    channels_.emplace(id, std::move(channel));
    ref.job = make(ref, promptFor(ref));
    return id;
}

void JobRunner::stop(int id) {
    if (auto it = channels_.find(id); it != channels_.end())
        it->second->stop();
}

void JobRunner::stopAll() {
    for (auto& [id, channel] : channels_)
        channel->stop();
}

bool JobRunner::isRunning(int id) const {
    const auto it = channels_.find(id);
    return it != channels_.end() && !it->second->ended;
}

bool JobRunner::busy() const {
    for (const auto& [id, channel] : channels_)
        if (!channel->ended)
            return true;
    return false;
}

void JobRunner::forget(int id) {
    channels_.erase(id);
}

freedb::ProxyCredentialsPrompt JobRunner::promptFor(Channel& channel) const {
    if (!askCredentials_)
        return {};
    return [receiver = &channel.receiver, cancelled = channel.cancelled, ask = askCredentials_](
               std::string& user, std::string& password) {
        struct Answer {
            bool confirmed = false;
            std::string user;
            std::string password;
        };
        auto promise = std::make_shared<std::promise<Answer>>();
        std::future<Answer> answer = promise->get_future();
        QMetaObject::invokeMethod(
            receiver,
            [promise, ask, user, password]() mutable {
                const bool confirmed = ask(user, password);
                promise->set_value({confirmed, user, password});
            },
            Qt::QueuedConnection);
        using namespace std::chrono_literals;
        while (answer.wait_for(100ms) != std::future_status::ready)
            if (cancelled->load())
                return false;
        try {
            Answer given = answer.get();
            if (given.confirmed) {
                user = given.user;
                password = given.password;
            }
            return given.confirmed;
        } catch (const std::future_error&) {
            return false;  // the window went before it could answer
        }
    };
}

}  // namespace tw::gui
