// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/audio_end.h"

#include <algorithm>
#include <cstring>

#include "core/byte_order.h"
#include "core/byte_window.h"
#include "core/id3v1_tag.h"

namespace tw::core {

namespace {

// "APETAGEX", version, tag size (items and footer), item count, flags, eight reserved
// bytes; little-endian. A header of the same size precedes the items when flag bit 31 says so.
constexpr std::size_t kApeFooterSize = 32;
constexpr std::uint32_t kApeHasHeader = 0x80000000u;

}  // namespace

std::uint64_t audioEnd(ByteWindow& input, std::uint64_t audioStart) {
    std::uint64_t end = input.size();
    if (audioStart >= end)
        return end;
    const std::uint64_t tailStart =
        end - std::min<std::uint64_t>(end - audioStart, kId3v1Size + kApeFooterSize);
    const auto tail = input.bytesAt(tailStart, static_cast<std::size_t>(end - tailStart));
    // What the tail holds up to `at`, when it holds `size` bytes before it.
    const auto before = [&](std::uint64_t at, std::size_t size) {
        return at - tailStart >= size && at - tailStart <= tail.size()
                   ? tail.subspan(static_cast<std::size_t>(at - tailStart) - size, size)
                   : std::span<const std::uint8_t>{};
    };

    if (isId3v1(before(end, kId3v1Size)))
        end -= kId3v1Size;
    const auto footer = before(end, kApeFooterSize);
    if (!footer.empty() && std::memcmp(footer.data(), "APETAGEX", 8) == 0) {
        const std::uint64_t size =
            std::uint64_t{littleEndian32(footer.data() + 12)} +
            (littleEndian32(footer.data() + 20) & kApeHasHeader ? kApeFooterSize : 0);
        // A size that reaches into the audio is not believed.
        if (size >= kApeFooterSize && size <= end - audioStart)
            end -= size;
    }
    return end;
}

}  // namespace tw::core
