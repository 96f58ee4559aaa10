// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/freedb/freedb_window_context.h"

#include "freedb/settings_io.h"
#include "gui/common/shell_port.h"

namespace tw::gui {

freedb::StoreConfig FreeDbWindowContext::loadConfig() const {
    freedb::StoreConfig config = freedb::LoadStoreConfig(settings, cdPlayerIni);
    if (session->proxyCredentials) {
        config.freedb.proxyUser = session->proxyCredentials->first;
        config.freedb.proxyPassword = session->proxyCredentials->second;
    }
    return config;
}

bool FreeDbWindowContext::answerProxyPrompt(std::string& user, std::string& password) const {
    // Each job makes stores of its own, each of which would ask; the user answers once.
    if (session->proxyCredentials) {
        std::tie(user, password) = *session->proxyCredentials;
        return true;
    }
    if (!shell.askProxyCredentials(user, password))
        return false;
    session->proxyCredentials = std::make_pair(user, password);
    return true;
}

freedb::StoreFactory FreeDbWindowContext::windowStores(freedb::FreeDbLog::Output log) const {
    return freedb::StoreFactory(loadConfig(), std::stop_token(), std::move(log));
}

}  // namespace tw::gui
