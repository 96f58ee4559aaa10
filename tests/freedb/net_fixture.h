// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "freedb/cddb_connection.h"
#include "freedb/cddb_http_connection.h"
#include "freedb/freedb_log.h"
#include "freedb/freedb_settings.h"
#include "freedb_fakes.h"
#include "support/fake_cddb_database.h"

namespace tw::freedb::test {

// Collects the finished lines of a FreeDbLog; safe from several threads.
class LogLines {
public:
    FreeDbLog::Output output() {
        return [this](std::string_view line) {
            const std::lock_guard lock(mutex_);
            lines_.emplace_back(line);
        };
    }
    std::vector<std::string> lines() const {
        const std::lock_guard lock(mutex_);
        return lines_;
    }
    void clear() {
        const std::lock_guard lock(mutex_);
        lines_.clear();
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
};

// Settings that point the client at a fake server on this machine.
inline FreeDbSettings LocalSettings(unsigned port, bool http, unsigned timeout = 3) {
    FreeDbSettings s;
    s.remoteServer = "127.0.0.1";
    s.remotePort = std::to_string(port);
    s.timeout = timeout;
    s.emailAddress = "tester@example.test";
    s.setOption(FreeDbSettings::kOptionHttp, http);
    s.webHost = "127.0.0.1";
    s.webPort = port;
    return s;
}

// A network store wired to a log, as the jobs make them.
struct StoreUnderTest {
    LogLines logLines;
    std::stop_source stop;
    std::shared_ptr<FreeDbLog> log;
    std::unique_ptr<CddbProtocolStore> store;

    StoreUnderTest(const FreeDbSettings& settings, bool fullLogging = false) {
        log = std::make_shared<FreeDbLog>(logLines.output(), stop.get_token(), fullLogging);
        if (settings.useHttp()) {
            store = std::make_unique<CddbHttpConnection>(settings);
        } else {
            store = std::make_unique<CddbConnection>(settings);
        }
        store->setLog(log);
        store->setTrace(log.get());
        store->setStopToken(stop.get_token());
    }
    std::vector<std::string> lines() {
        log->flush();
        return logLines.lines();
    }
};

// A database script that answers commands starting with `prefix` with `reply`.
inline ::tw::test::FakeCddbDatabase::Script Answer(std::string prefix,
                                                   std::vector<std::string> reply) {
    return [prefix, reply](std::string_view command) -> std::optional<std::vector<std::string>> {
        if (command.rfind(prefix, 0) != 0)
            return std::nullopt;
        return reply;
    };
}

// A fake album with `tracks` tracks.
inline ::tw::test::FakeAlbum Album(const std::string& category, const std::string& discId,
                                   const std::string& discTitle, int tracks = 2) {
    return {category, discId, discTitle, ::tw::test::MakeFakeXmcd(discId, discTitle, tracks)};
}

}  // namespace tw::freedb::test
