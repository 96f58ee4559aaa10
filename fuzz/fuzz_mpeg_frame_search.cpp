// SPDX-License-Identifier: GPL-2.0-or-later
// The frame search and everything computed from the header it finds, over any bytes.

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/byte_window.h"
#include "core/mpeg_info.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tw::core::ByteWindow window;
    window.reset(std::span<const std::uint8_t>(data, size));
    tw::core::MpegInfo info;
    info.examine(window);
    tw::core::StreamTexts texts;
    info.texts(texts);
    (void)tw::core::infoText(texts);
    (void)info.frameCount();
    return 0;
}
