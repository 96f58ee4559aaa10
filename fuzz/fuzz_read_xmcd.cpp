// SPDX-License-Identifier: GPL-2.0-or-later
// Feeds arbitrary bytes to the xmcd reader as the lines of a server reply or database file,
// then writes the album back out and reads that again: the written record holds no control
// character but its line feeds and the tabs of its comment lines, and keeps the revision.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "freedb/album_info.h"
#include "freedb/album_log.h"
#include "freedb/text_lines.h"
#include "freedb/xmcd_reader.h"
#include "freedb/xmcd_writer.h"

namespace {

class DiscardingLog : public tw::freedb::AlbumLog {
public:
    void log(std::string_view) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tw::freedb;
    TextLines source(std::string_view(reinterpret_cast<const char*>(data), size));
    DiscardingLog log;
    AlbumInfo album;
    (void)ReadXmcd(album, source, &log);  // a refused record is as good an input to probe
    (void)album.discId();
    (void)album.lengthText();
    for (std::size_t i = 0; i < album.trackCount(); ++i)
        (void)album.trackLengthText(i);

    const std::string written = WriteXmcd(album);
    bool comment = true;
    for (std::size_t i = 0; i < written.size(); ++i) {
        const auto byte = static_cast<unsigned char>(written[i]);
        if (i == 0 || written[i - 1] == '\n')
            comment = written[i] == '#';
        if ((byte < 0x20 && byte != '\n' && !(byte == '\t' && comment)) || byte == 0x7F)
            __builtin_trap();
    }
    TextLines again(written);
    AlbumInfo reread;
    if (!ReadXmcd(reread, again, &log))
        __builtin_trap();  // what the writer writes, the reader must accept
    if (reread.revision().value_or(0) != album.revision().value_or(0))
        __builtin_trap();
    return 0;
}
