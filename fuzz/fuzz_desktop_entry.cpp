// SPDX-License-Identifier: GPL-2.0-or-later
// A media player's desktop entry, as any package or user may have written it: reading it,
// finding its queueing action and splitting that action's Exec line never fails hard, and a
// line that splits names the playlist in one of its arguments.

#include <cstdlib>
#include <string_view>

#include "gui/shell/desktop_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tw::gui;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const DesktopEntry entry = DesktopEntry::parse(text);
    entry.list(kDesktopEntryGroup, "Actions");
    const ExecFields fields{{"/music/list.m3u"}, "/apps/player.desktop", "Player", "player"};
    // The whole text as an Exec line too, so the splitter sees every byte.
    const std::string action = enqueueActionExec(entry).value_or("");
    for (const std::string_view exec : {std::string_view(action), text}) {
        const std::vector<std::string> command = expandExec(exec, fields);
        if (command.empty())
            continue;
        bool named = false;
        for (const std::string& argument : command)
            named = named || argument.find("list.m3u") != std::string::npos;
        if (!named)
            std::abort();
    }
    return 0;
}
