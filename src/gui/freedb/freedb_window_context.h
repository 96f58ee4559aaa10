// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "freedb/store_factory.h"

namespace tw::base {
class SettingsStore;
class UserPort;
}  // namespace tw::base

namespace tw::gui {

class ShellPort;

// What the CDDB windows keep for the whole run of the program.
struct FreeDbSession {
    // The proxy user and password entered in the prompt; they stand in for the stored ones
    // until the program ends or the user saves other ones in the settings.
    std::optional<std::pair<std::string, std::string>> proxyCredentials;
};

// What the CDDB windows work with: the settings store (section "FreeDB" and the window
// values), the user port for questions and messages, the shell port for the file and
// credential dialogs, the CD-player file (which also holds the connection settings) and
// the session.
//
// A small value that each window copies. The store and the ports are borrowed from the
// application, which owns them for the whole run; the session is shared.
struct FreeDbWindowContext {
    base::SettingsStore& settings;
    base::UserPort& port;
    ShellPort& shell;
    std::filesystem::path cdPlayerIni;
    std::shared_ptr<FreeDbSession> session = std::make_shared<FreeDbSession>();

    // The settings as they are stored now, with the proxy credentials of the session. Each
    // job takes its own copy when it starts, so a change of the settings reaches the next
    // job.
    freedb::StoreConfig loadConfig() const;

    // A job's proxy prompt, answered on the window's thread: the credentials entered
    // earlier in this run, else the prompt window (what is entered there is kept).
    bool answerProxyPrompt(std::string& user, std::string& password) const;

    // Stores for the window's own single edits (saving, copying, deleting an album), on the
    // window's thread; their log lines go to `log`.
    freedb::StoreFactory windowStores(freedb::FreeDbLog::Output log) const;
};

}  // namespace tw::gui
