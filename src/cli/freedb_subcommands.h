// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "cli/command.h"
#include "freedb/settings_io.h"

namespace tw::cli {

// The sub-commands of "freedb"; each gets the positional words after its name and the
// configuration with the connection options applied.
int freedbLookup(CommandContext& context, const Args& args, const freedb::StoreConfig& config);
int freedbRead(CommandContext& context, const Args& args, const freedb::StoreConfig& config);
int freedbSites(CommandContext& context, const Args& args, const freedb::StoreConfig& config);
int freedbStat(CommandContext& context, const Args& args, const freedb::StoreConfig& config);
int freedbSearch(CommandContext& context, const Args& args, const freedb::StoreConfig& config);
int freedbSubmit(CommandContext& context, const Args& args, const freedb::StoreConfig& config);

}  // namespace tw::cli
