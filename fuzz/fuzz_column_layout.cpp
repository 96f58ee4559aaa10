// SPDX-License-Identifier: GPL-2.0-or-later
// A stored column layout, as anyone may have edited it in the settings file: reading it for
// any column count never fails hard, and whatever it accepts is a sound layout that writes
// back to the same bytes.

#include <algorithm>
#include <cstdlib>
#include <span>

#include "gui/views/column_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tw::gui;
    if (size == 0)
        return 0;
    const std::size_t columnCount = data[0] % 24;
    const std::span<const std::uint8_t> value(data + 1, size - 1);
    const auto columns = decodeColumnLayout(value, columnCount);
    if (!columns)
        return 0;
    const bool anyVisible = std::any_of(columns->begin(), columns->end(),
                                        [](const ColumnState& c) { return c.visible; });
    const auto encoded = encodeColumnLayout(*columns);
    if (columns->size() != columnCount || !anyVisible ||
        !std::equal(encoded.begin(), encoded.end(), value.begin(), value.end()))
        std::abort();
    return 0;
}
