// SPDX-License-Identifier: GPL-2.0-or-later
// Feeds arbitrary bytes, line by line, to the scanner of the web search's result page, as the
// search reads them, and checks what it finds.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "freedb/cddb_protocol_store.h"
#include "freedb/search_page_scanner.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tw::freedb;
    SearchPageScanner scanner("http://web.test/freedb_search_fmt.php?cat=");
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (SearchPageScanner::IsEndLine(line))
            break;
        if (const auto match = scanner.ScanLine(line)) {
            if (match->category.find("&id=") != std::string::npos)
                std::abort();
            IsUsableMatch(*match);
        }
    }
    return 0;
}
