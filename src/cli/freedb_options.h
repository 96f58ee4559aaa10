// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>

#include "cli/args.h"
#include "freedb/settings_io.h"

namespace tw::cli {

// The options that change how the CDDB commands connect, for one run; the stored settings
// stay as they are.
inline constexpr std::array kConnectionOptions = {
    OptionSpec{"server", true},      // HOST:PORT
    OptionSpec{"http"},              // CDDB over HTTP instead of cddbp
    OptionSpec{"proxy", true},       // HOST:PORT, turns the proxy on
    OptionSpec{"proxy-user", true},  // USER[:PASSWORD], turns proxy authentication on
    OptionSpec{"timeout", true},     // seconds, 1..999
    OptionSpec{"log", true},         // "full": the protocol lines too
    OptionSpec{"web", true},         // HOST:PORT of the web site (search, submission)
};

// The user's stored CDDB configuration (CDPLAYER.INI in the config folder and the settings
// store) with the connection options of `args` applied. Nullopt, with `error` set, for a
// malformed option.
[[nodiscard]] std::optional<freedb::StoreConfig> cliStoreConfig(const Args& args,
                                                                std::string& error);

// Applies the connection options to `config`; false, with `error` set, for a malformed one.
[[nodiscard]] bool applyConnectionOptions(const Args& args, freedb::StoreConfig& config,
                                          std::string& error);

}  // namespace tw::cli
