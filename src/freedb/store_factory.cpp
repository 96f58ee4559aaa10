// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/store_factory.h"

#include "freedb/cd_player_ini_store.h"
#include "freedb/cddb_connection.h"
#include "freedb/local_album_database.h"

namespace tw::freedb {

StoreFactory::StoreFactory(StoreConfig config, std::stop_token stop, FreeDbLog::Output logOutput)
    : config_(std::move(config)), stop_(std::move(stop)), logOutput_(std::move(logOutput)) {}

std::shared_ptr<FreeDbLog> StoreFactory::makeLog() const {
    return std::make_shared<FreeDbLog>(logOutput_, stop_, config_.freedb.fullLogging);
}

void StoreFactory::wire(AlbumStore& store) const {
    store.setLog(makeLog());
    store.setStopToken(stop_);
}

StoreKind StoreFactory::freeDbKind() const {
    return config_.freedb.useHttp() ? StoreKind::CddbHttp : StoreKind::CddbTcp;
}

std::unique_ptr<CddbProtocolStore> StoreFactory::MakeNetworkStore(
    StoreKind kind, const FreeDbSettings& settings) const {
    std::unique_ptr<CddbProtocolStore> store;
    if (kind == StoreKind::CddbHttp) {
        auto http = std::make_unique<CddbHttpConnection>(settings);
        http->setProxyCredentialsPrompt(prompt_);
        store = std::move(http);
    } else {
        store = std::make_unique<CddbConnection>(settings);
    }
    auto log = makeLog();
    store->setTrace(log.get());
    store->setLog(std::move(log));
    store->setStopToken(stop_);
    return store;
}

std::unique_ptr<CddbProtocolStore> StoreFactory::MakeFreeDbStore() const {
    return MakeNetworkStore(freeDbKind(), config_.freedb);
}

std::unique_ptr<AlbumStore> StoreFactory::MakeStore(StoreKind kind) const {
    switch (kind) {
        case StoreKind::CddbTcp:
        case StoreKind::CddbHttp:
            return MakeNetworkStore(kind, config_.freedb);
        case StoreKind::CdPlayerIni: {
            auto store = std::make_unique<CdPlayerIniStore>(config_.cdPlayerIni);
            wire(*store);
            return store;
        }
        case StoreKind::LocalDatabase: {
            auto store = std::make_unique<LocalAlbumDatabase>(config_.localDb);
            wire(*store);
            return store;
        }
    }
    return nullptr;
}

}  // namespace tw::freedb
