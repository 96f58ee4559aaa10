// SPDX-License-Identifier: GPL-2.0-or-later
// Names and info texts of the trash from any file name and path: a name is never one that
// leads out of the trash folder, and the info text stays one line per key.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/desktop_trash.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    for (int n : {1, 2, 99999}) {
        const std::string name = tw::core::trashName(input, n);
        if (!name.empty() && (name.find('/') != std::string::npos || name == "." || name == ".."))
            std::abort();
    }
    const std::string info = tw::core::trashInfoText(input, 0);
    if (info.find('\n', 0) != 12 || info.find("\nDeletionDate=") == std::string::npos ||
        info.find('\n', 18) != info.find("\nDeletionDate="))
        std::abort();
    return 0;
}
