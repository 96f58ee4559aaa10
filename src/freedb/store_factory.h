// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <memory>
#include <stop_token>

#include "freedb/album_store.h"
#include "freedb/cddb_http_connection.h"
#include "freedb/cddb_protocol_store.h"
#include "freedb/freedb_log.h"
#include "freedb/settings_io.h"

namespace tw::freedb {

// The kinds of album store.
enum class StoreKind { CddbTcp = 0, CddbHttp = 1, CdPlayerIni = 2, LocalDatabase = 3 };

// Makes the stores of one job: each with a log of its own that passes finished lines to the
// job's output, the job's stop request and the configuration the job started with. The
// factory holds no store; whoever asks for one owns it.
class StoreFactory {
public:
    StoreFactory(StoreConfig config, std::stop_token stop, FreeDbLog::Output logOutput);

    const StoreConfig& config() const { return config_; }
    const std::stop_token& stopToken() const { return stop_; }
    void setProxyCredentialsPrompt(ProxyCredentialsPrompt prompt) { prompt_ = std::move(prompt); }

    std::unique_ptr<AlbumStore> MakeStore(StoreKind kind) const;
    // The CDDB store the settings ask for: over HTTP when their HTTP switch is on.
    std::unique_ptr<CddbProtocolStore> MakeFreeDbStore() const;
    std::unique_ptr<CddbProtocolStore> MakeNetworkStore(StoreKind kind,
                                                        const FreeDbSettings& settings) const;

    // The kind MakeFreeDbStore makes.
    StoreKind freeDbKind() const;

private:
    void wire(AlbumStore& store) const;
    std::shared_ptr<FreeDbLog> makeLog() const;

    StoreConfig config_;
    std::stop_token stop_;
    FreeDbLog::Output logOutput_;
    ProxyCredentialsPrompt prompt_;
};

}  // namespace tw::freedb
